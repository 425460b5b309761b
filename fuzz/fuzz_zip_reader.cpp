// The ZIP reader over arbitrary files: open, walk the directory, look every
// entry up by its name, and read every entry to its end (with and without
// the password the seeds encrypt with, and with a wrong one).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_workspace.h"
#include "package/zip/archive_reader.h"
#include "package/zip/archive_result.h"
#include "platform/unicode.h"

namespace {

constexpr char kSeedPassword[] = "secret";
// Pieces of these sizes in turn, so both the byte-wise and the bulk paths of
// the inflater and the cipher are taken on every entry.
constexpr uint32_t kPieceSizes[] = {1, 3, 512, 65536};

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "zip reader broke a promise: %s\n", what);
    std::abort();
}

// Reads the open entry to its end; the reader must never hand out more than
// was asked for, nor more than the directory gives as the entry's size.
void readToEnd(DWFZip::ArchiveReader& archive, uint32_t uncompressedSize) {
    static std::vector<uint8_t> buffer(65536);
    uint64_t total = 0;
    for (size_t piece = 0;; ++piece) {
        const uint32_t wanted = kPieceSizes[piece % std::size(kPieceSizes)];
        const int32_t count = archive.readEntry(buffer.data(), wanted);
        if (count <= 0) break;
        if (static_cast<uint32_t>(count) > wanted) broken("read more than asked");
        total += static_cast<uint32_t>(count);
        if (total > uncompressedSize) broken("read beyond the entry's size");
    }
    archive.closeEntry();
}

void readEntry(DWFZip::ArchiveReader& archive, const DWFZip::ArchiveEntryInfo& info) {
    const bool encrypted = (info.flags & 0x0001) != 0;
    const char* passwords[] = {nullptr, kSeedPassword, "wrong"};
    for (const char* password : passwords) {
        if (!encrypted && password != nullptr) break;
        const int32_t rc = archive.openEntry(password);
        if (encrypted && password == nullptr && rc == DWFZip::ArchiveOk) broken("encrypted entry opened without password");
        if (rc == DWFZip::ArchiveOk) readToEnd(archive, info.uncompressedSize);
    }
}

// Every entry met while walking the directory can be found again by the
// name it was met under (the lookup takes C strings of up to 255 bytes).
void locateAgain(DWFZip::ArchiveReader& archive, const std::string& name, uint32_t index) {
    if (name.size() > 255 || name.find('\0') != std::string::npos) return;
    const int32_t sensitivity = static_cast<int32_t>(index % 3);
    if (archive.locateEntry(name.c_str(), sensitivity) != DWFZip::ArchiveOk) broken("entry not found by its name");
}

void walk(DWFZip::ArchiveReader& archive) {
    std::vector<std::string> names;
    uint32_t index = 0;
    for (int32_t rc = archive.firstEntry(); rc == DWFZip::ArchiveOk; rc = archive.nextEntry(), ++index) {
        if (index >= archive.entryCount()) broken("more entries than the directory counts");
        DWFZip::ArchiveEntryInfo info;
        char name[65536 + 1];
        char extra[64];
        char comment[8];
        if (archive.entryInfo(&info, name, sizeof name, extra, sizeof extra, comment, sizeof comment) !=
            DWFZip::ArchiveOk) {
            continue;
        }
        names.emplace_back(name, info.nameLength);
        readEntry(archive, info);
    }
    for (uint32_t i = 0; i < names.size(); ++i) {
        locateAgain(archive, names[i], i);
        // Reading after a lookup starts from the entry found.
        DWFZip::ArchiveEntryInfo info;
        if (i == 0 && archive.entryInfo(&info, nullptr, 0, nullptr, 0, nullptr, 0) == DWFZip::ArchiveOk) {
            readEntry(archive, info);
        }
    }
    for (const char* name : {"manifest.xml", "/MANIFEST.XML", "descriptor.xml", "a\\b/c"}) {
        archive.locateEntry(name, 0);
        archive.locateEntry(name, 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::enterWorkspace();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::writeInputFile(data, size, "input.zip");
    {
        std::unique_ptr<DWFZip::ArchiveReader> archive = DWFZip::ArchiveReader::open(platform::utf8ToUtf16(path));
        if (archive) {
            walk(*archive);
            archive->close();
            // Everything is refused once the archive is closed.
            if (archive->firstEntry() == DWFZip::ArchiveOk) broken("closed archive still reads");
        }
    }
    fuzz::removeInputFile(path);
    fuzz::requireNothingLeft();
    return 0;
}
