#include "package/zip/archive_writer.h"

#include <fcntl.h>

#include <cerrno>
#include <new>
#include <string>

#include "package/zip/archive_result.h"
#include "package/zip/dwf_header.h"
#include "platform/unicode.h"

namespace DWFZip {
namespace {

constexpr uint64_t kLargestOffset = kZip64Marker - 1u;
constexpr size_t kLargestField = 0xFFFFu;
// The archive attribute of the Windows file system, set on every file entry
// that carries no attributes of its own.
constexpr uint32_t kArchiveAttribute = 0x20;

// The compression options bits 1 and 2 tell readers which deflate effort
// made the data.
uint16_t levelFlags(int32_t level) {
    switch (level) {
        case 8:
        case 9: return 2;
        case 2: return 4;
        case 1: return 6;
        default: return 0;
    }
}

uint32_t entryDosDateTime(const ArchiveEntryFileInfo* info) {
    if (info == nullptr) return toDosDateTime(currentLocalTime());
    return info->dosDateTime != 0 ? info->dosDateTime : toDosDateTime(info->time);
}

platform::UniqueFd openArchiveFile(const std::string& path, bool append) {
    const int flags = O_RDWR | O_CREAT | O_CLOEXEC | (append ? 0 : O_TRUNC);
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    return platform::UniqueFd(fd);
}

void appendBytes(std::vector<uint8_t>& out, const void* bytes, size_t count) {
    const auto* begin = static_cast<const uint8_t*>(bytes);
    out.insert(out.end(), begin, begin + count);
}

}  // namespace

std::unique_ptr<ArchiveWriter> ArchiveWriter::create(std::u16string_view path, bool append,
                                                     int32_t dwfVersion) {
    const std::string narrowPath = platform::utf16ToUtf8(path);
    if (narrowPath.empty() || narrowPath.find('\0') != std::string::npos) return nullptr;
    std::string header;
    if (dwfVersion >= kFirstPackageVersion) {
        header = dwfHeaderText(dwfVersion);
        if (header.empty()) return nullptr;
    }
    platform::UniqueFd file = openArchiveFile(narrowPath, append);
    if (!file.valid()) return nullptr;
    // Appending: entries and directory take their positions from the end of
    // what is already there.
    if (append && platform::seekTo(file.get(), 0, SEEK_END) < 0) return nullptr;
    if (!platform::writeAll(file.get(), header.data(), header.size())) return nullptr;
    try {
        return std::unique_ptr<ArchiveWriter>(new ArchiveWriter(std::move(file)));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

ArchiveWriter::ArchiveWriter(platform::UniqueFd file) : file_(std::move(file)) {}

ArchiveWriter::~ArchiveWriter() {
    if (file_.valid()) close(nullptr);
}

int32_t ArchiveWriter::openEntry(const char* name, const ArchiveEntryFileInfo* info,
                                 std::span<const uint8_t> localExtra,
                                 std::span<const uint8_t> centralExtra, const char* comment,
                                 int32_t method, int32_t level, const char* password) {
    if (!file_.valid()) return ArchiveBadParameter;
    if (method != kMethodStored && method != kMethodDeflated) return ArchiveBadParameter;
    if (entry_) {
        const int32_t rc = closeEntry();
        if (rc != ArchiveOk) return rc;
    }
    const std::string_view entryName = name != nullptr ? name : "-";
    const std::string_view entryComment = comment != nullptr ? comment : "";
    if (entryName.size() > kLargestField || entryComment.size() > kLargestField ||
        localExtra.size() > kLargestField || centralExtra.size() > kLargestField) {
        return ArchiveBadParameter;
    }
    // The end record counts entries in 16 bits, and all ones would mean ZIP64.
    if (entryCount_ >= kZip64CountMarker - 1u) return ArchiveBadFormat;
    try {
        return startEntry(entryName, info, localExtra, centralExtra,
                          entryComment, static_cast<uint16_t>(method), level,
                          password != nullptr ? password : "");
    } catch (const std::bad_alloc&) {
        entry_.reset();
        return ArchiveNoMemory;
    }
}

int32_t ArchiveWriter::startEntry(std::string_view name, const ArchiveEntryFileInfo* info,
                                  std::span<const uint8_t> localExtra,
                                  std::span<const uint8_t> centralExtra,
                                  std::string_view comment, uint16_t method, int32_t level,
                                  std::string_view password) {
    const int64_t position = platform::seekTo(file_.get(), 0, SEEK_CUR);
    if (position < 0) return ArchiveIoError;
    if (static_cast<uint64_t>(position) > kLargestOffset) return ArchiveBadFormat;
    const size_t nameLength = name.size();

    entryHeader_ = CentralHeader{};
    entryHeader_.flags = static_cast<uint16_t>(
        levelFlags(level) | (password.empty() ? 0 : kFlagEncrypted | kFlagDataDescriptor));
    entryHeader_.method = method;
    entryHeader_.dosDateTime = entryDosDateTime(info);
    entryHeader_.nameLength = static_cast<uint16_t>(nameLength);
    entryHeader_.extraLength = static_cast<uint16_t>(centralExtra.size());
    entryHeader_.commentLength = static_cast<uint16_t>(comment.size());
    entryHeader_.internalAttributes = info != nullptr ? info->internalAttributes : 0;
    entryHeader_.externalAttributes = info != nullptr ? info->externalAttributes : kArchiveAttribute;
    entryHeader_.localHeaderOffset = static_cast<uint32_t>(position);
    entryLocalPosition_ = static_cast<uint64_t>(position);
    entryTail_.clear();
    appendBytes(entryTail_, name.data(), nameLength);
    appendBytes(entryTail_, centralExtra.data(), centralExtra.size());
    appendBytes(entryTail_, comment.data(), comment.size());

    LocalHeader local;
    local.flags = entryHeader_.flags;
    local.method = method;
    local.dosDateTime = entryHeader_.dosDateTime;
    local.nameLength = entryHeader_.nameLength;
    local.extraLength = static_cast<uint16_t>(localExtra.size());
    std::vector<uint8_t> bytes(kLocalHeaderSize);
    encodeLocalHeader(local, bytes.data());
    appendBytes(bytes, name.data(), nameLength);
    appendBytes(bytes, localExtra.data(), localExtra.size());
    if (!platform::writeAll(file_.get(), bytes.data(), bytes.size())) return ArchiveIoError;

    auto entry = std::make_unique<EntryOutput>(file_.get());
    const int32_t rc = entry->start(method, level, password, entryHeader_.dosDateTime);
    if (rc != ArchiveOk) return rc;
    entry_ = std::move(entry);
    return ArchiveOk;
}

int32_t ArchiveWriter::writeEntry(const void* bytes, size_t count) {
    if (!file_.valid() || !entry_) return ArchiveBadParameter;
    if (bytes == nullptr && count > 0) return ArchiveBadParameter;
    return entry_->write(static_cast<const uint8_t*>(bytes), count);
}

int32_t ArchiveWriter::closeEntry() {
    if (!file_.valid() || !entry_) return ArchiveBadParameter;
    int32_t rc;
    try {
        rc = finishEntry();
    } catch (const std::bad_alloc&) {
        rc = ArchiveNoMemory;
    }
    entry_.reset();
    return rc;
}

// A failure anywhere abandons the entry: it gets no central header, so the
// archive stays consistent without it.
int32_t ArchiveWriter::finishEntry() {
    int32_t rc = entry_->finish();
    if (rc != ArchiveOk) return rc;
    entryHeader_.crc = entry_->crc();
    entryHeader_.compressedSize = entry_->compressedSize();
    entryHeader_.uncompressedSize = entry_->uncompressedSize();
    // Only encrypted entries carry a descriptor, and those always with its
    // signature.
    if (entryHeader_.flags & kFlagDataDescriptor) {
        uint8_t descriptor[kDataDescriptorSize];
        store32(descriptor, kDataDescriptorSignature);
        store32(descriptor + 4, entryHeader_.crc);
        store32(descriptor + 8, entryHeader_.compressedSize);
        store32(descriptor + 12, entryHeader_.uncompressedSize);
        if (!platform::writeAll(file_.get(), descriptor, sizeof descriptor)) return ArchiveIoError;
    }
    rc = rewriteLocalSizes();
    if (rc != ArchiveOk) return rc;
    const uint64_t recordSize = entryHeader_.recordSize();
    if (directory_.size() + recordSize > kLargestOffset) return ArchiveBadFormat;
    const size_t start = directory_.size();
    directory_.resize(start + kCentralHeaderSize);
    encodeCentralHeader(entryHeader_, directory_.data() + start);
    appendBytes(directory_, entryTail_.data(), entryTail_.size());
    ++entryCount_;
    return ArchiveOk;
}

// Local headers always end up with the final CRC and sizes, data descriptor
// or not, so readers that trust them are right too.
int32_t ArchiveWriter::rewriteLocalSizes() {
    uint8_t sizes[12];
    store32(sizes, entryHeader_.crc);
    store32(sizes + 4, entryHeader_.compressedSize);
    store32(sizes + 8, entryHeader_.uncompressedSize);
    const int fd = file_.get();
    const int64_t end = platform::seekTo(fd, 0, SEEK_CUR);
    if (end < 0) return ArchiveIoError;
    if (platform::seekTo(fd, static_cast<int64_t>(entryLocalPosition_ + kLocalCrcOffset), SEEK_SET) < 0 ||
        !platform::writeAll(fd, sizes, sizeof sizes) || platform::seekTo(fd, end, SEEK_SET) < 0) {
        return ArchiveIoError;
    }
    return ArchiveOk;
}

int32_t ArchiveWriter::close(const char* comment) {
    if (!file_.valid()) return ArchiveBadParameter;
    int32_t rc = ArchiveOk;
    if (entry_) rc = closeEntry();
    if (rc == ArchiveOk) rc = writeDirectory(comment != nullptr ? comment : "");
    if (!file_.reset() && rc == ArchiveOk) rc = ArchiveIoError;
    directory_.clear();
    directory_.shrink_to_fit();
    return rc;
}

int32_t ArchiveWriter::writeDirectory(std::string_view comment) {
    if (comment.size() > kLargestField) return ArchiveBadParameter;
    const int64_t offset = platform::seekTo(file_.get(), 0, SEEK_CUR);
    if (offset < 0) return ArchiveIoError;
    if (static_cast<uint64_t>(offset) > kLargestOffset) return ArchiveBadFormat;
    EndRecord record;
    record.entriesOnDisk = static_cast<uint16_t>(entryCount_);
    record.entries = static_cast<uint16_t>(entryCount_);
    record.directorySize = static_cast<uint32_t>(directory_.size());
    record.directoryOffset = static_cast<uint32_t>(offset);
    record.commentLength = static_cast<uint16_t>(comment.size());
    uint8_t end[kEndRecordSize];
    encodeEndRecord(record, end);
    if (!platform::writeAll(file_.get(), directory_.data(), directory_.size()) ||
        !platform::writeAll(file_.get(), end, sizeof end) ||
        !platform::writeAll(file_.get(), comment.data(), comment.size())) {
        return ArchiveIoError;
    }
    return ArchiveOk;
}

}  // namespace DWFZip
