#include "package/reader/dwf_reader.h"

#include <new>
#include <vector>

#include "model/util/allocation.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_parser.h"
#include "package/reader/child_stream.h"
#include "package/reader/file_decompressor.h"
#include "package/reader/file_input_stream.h"
#include "package/zip/archive_result.h"
#include "package/zip/entry_index.h"
#include "platform/debug_output.h"
#include "platform/lock.h"

namespace DWFReader {
namespace {

// The one lock all readers share for their state word.
platform::Lock& stateLock() {
    static platform::Lock lock;
    return lock;
}

std::string normalisedName(const DWFUtil::String& name) { return DWFZip::normalisedEntryName(name.toUtf8()); }

// The stored name of the archive's current entry.
std::string currentEntryName(DWFZip::ArchiveReader& archive) {
    DWFZip::ArchiveEntryInfo info;
    if (archive.entryInfo(&info, nullptr, 0, nullptr, 0, nullptr, 0) != DWFZip::ArchiveOk) return {};
    std::string name(info.nameLength, '\0');
    if (archive.entryInfo(nullptr, name.data(), name.size(), nullptr, 0, nullptr, 0) != DWFZip::ArchiveOk) {
        return {};
    }
    return name;
}

}  // namespace

std::string entryKey(const DWFUtil::String& name) {
    std::string key = normalisedName(name);
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

std::string temporaryExtension(const DWFUtil::String& entryName) {
    const std::string name = normalisedName(entryName);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return {};
    std::string extension = name.substr(dot + 1);
    return platform::isSafeExtension(extension) ? extension : std::string();
}

DwfReader::DwfReader(const DWFUtil::String& packagePath, const DWFUtil::String& password)
    : packagePath_(packagePath),
      password_(password),
      interfaces_(DWFXmlFramework::newObject<DWFManifest::Interfaces>()) {
    if (!packagePath_.empty()) openPackage(packagePath_);
}

void DwfReader::openPackage(const DWFUtil::String& packagePath) {
    // Copies and records made from one package must never answer for another.
    if (archive_) throw DWF::DwfResult::InvalidState;
    packagePath_ = packagePath;
    failure_.clear();
    archive_ = DWFZip::ArchiveReader::open(packagePath_.wideView(), &failure_);
    if (!archive_) throw DWF::DwfResult::FileOpenFailed;
    fileSize_ = platform::fileSize(archive_->fileHandle());
}

void DwfReader::keepArchiveFailure() {
    if (archive_) failure_ = archive_->failure();
}

DwfReader::~DwfReader() {
    entries_.clear();
    archive_.reset();
    removeTemporaryFiles();
}

int32_t DwfReader::getState() const {
    platform::LockGuard guard(stateLock());
    return state_;
}

int32_t DwfReader::detectDwfType(int32_t& version, DWFUtil::String& typeInfo) {
    if (getState() != kFileMode) throw DWF::DwfResult::InvalidState;
    if (typeKnown_) {
        version = version_;
        typeInfo = typeInfo_;
        return fileType_;
    }
    if (!archive_) return UnknownType;
    uint8_t header[kFileHeaderSize];
    if (!platform::readAt(archive_->fileHandle(), header, sizeof header, 0)) return UnknownType;
    const DwfFileType type = classifyFileHeader(header, sizeof header, version);
    if (type == UnknownType) return type;
    setDwfType(type, version);
    if (type == DwfPackage) {
        typeInfo = readTypeInfo();
        setTypeInfo(typeInfo);
    }
    return type;
}

void DwfReader::setDwfType(int32_t type, int32_t version) {
    if (type == UnknownType) return;
    fileType_ = type;
    version_ = version;
    typeKnown_ = true;
}

void DwfReader::setTypeInfo(const DWFUtil::String& typeInfo) { typeInfo_ = typeInfo; }

void DwfReader::setArchive(std::unique_ptr<DWFZip::ArchiveReader> archive) {
    entries_.clear();
    archive_ = std::move(archive);
    fileSize_ = archive_ ? platform::fileSize(archive_->fileHandle()) : 0;
}

DWFUtil::String DwfReader::readTypeInfo() {
    if (!archive_) return {};
    static constexpr std::string_view kTypeInfo = ".TYPEINFO";
    for (int32_t rc = archive_->firstEntry(); rc == DWFZip::ArchiveOk; rc = archive_->nextEntry()) {
        const std::string name = currentEntryName(*archive_);
        if (name.find(kTypeInfo) != std::string::npos) {
            return DWFUtil::String::fromUtf8(std::string_view(name).substr(0, name.size() - kTypeInfo.size()));
        }
    }
    return {};
}

bool DwfReader::hasEntry(const DWFUtil::String& name) {
    DWFZip::ArchiveReader& archive = requireArchive();
    if (name.empty()) return false;
    return archive.locateEntry(name.chars(), 0) == DWFZip::ArchiveOk;
}

DWFZip::ArchiveReader& DwfReader::requireArchive() const {
    if (!archive_) throw DWF::DwfResult::NoPackageOpen;
    return *archive_;
}

DWF::DwfResult::Enum DwfReader::getEntryInfo(const DWFUtil::String& name, ArchiveFileInfo& info) {
    if (!archive_) return DWF::DwfResult::NoPackageOpen;
    if (!hasEntry(name)) return DWF::DwfResult::NotFoundInPackage;
    DWFZip::ArchiveEntryInfo entry;
    if (archive_->entryInfo(&entry, nullptr, 0, nullptr, 0, nullptr, 0) != DWFZip::ArchiveOk) {
        return DWF::DwfResult::ArchiveEntryError;
    }
    try {
        info.name.assign(entry.nameLength, '\0');
        info.extra.assign(entry.extraLength, 0);
    } catch (const std::bad_alloc&) {
        DWFUtil::throwOutOfMemory();
    }
    if (archive_->entryInfo(nullptr, info.name.data(), info.name.size(), info.extra.data(),
                            info.extra.size(), nullptr, 0) != DWFZip::ArchiveOk) {
        return DWF::DwfResult::ArchiveEntryError;
    }
    info.versionNeeded = entry.versionNeeded;
    info.flags = entry.flags;
    info.method = entry.method;
    info.time = static_cast<uint16_t>(entry.dosDateTime & 0xFFFF);
    info.date = static_cast<uint16_t>(entry.dosDateTime >> 16);
    info.crc = entry.crc;
    info.compressedSize = entry.compressedSize;
    info.uncompressedSize = entry.uncompressedSize;
    info.nameLength = entry.nameLength;
    info.extraLength = entry.extraLength;
    info.dataPosition = entry.dataPosition;
    info.localHeaderPosition = entry.localHeaderPosition;
    return DWF::DwfResult::Success;
}

bool DwfReader::findTemporaryCopy(const DWFUtil::String& name, DWFUtil::String& path) {
    const auto it = temporaryCopies_.find(entryKey(name));
    if (it == temporaryCopies_.end()) return false;
    path = DWFUtil::String::fromUtf8(it->second);
    return true;
}

void DwfReader::addTemporaryCopy(const DWFUtil::String& name, const DWFUtil::String& path) {
    temporaryCopies_[entryKey(name)] = path.toUtf8();
}

void DwfReader::setRootBuilder(const DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder>& builder) {
    XmlBuilderStack::setRootBuilder(builder);
}

void DwfReader::materializeEntry(DWFUtil::String& path, const DWFUtil::String& name) {
    if (findTemporaryCopy(name, path)) return;
    path = DWFUtil::String();
    // The record tells of this copy's failure, not of an earlier one.
    failure_.clear();
    if (!hasEntry(name)) return;
    DWFZip::ArchiveEntryInfo info;
    if (archive_->entryInfo(&info, nullptr, 0, nullptr, 0, nullptr, 0) != DWFZip::ArchiveOk) {
        keepArchiveFailure();
        throw DWF::DwfResult::ArchiveEntryError;
    }
    std::string copyPath;
    platform::UniqueFd file = createTemporaryFile(name, copyPath);
    try {
        // An encrypted entry without a password fails as its stream does.
        const int32_t opened = archive_->openEntry(password_.chars());
        if (opened != DWFZip::ArchiveOk) keepArchiveFailure();
        if (opened == DWFZip::ArchiveBadPassword) throw DWF::DwfResult::BadPassword;
        if (opened != DWFZip::ArchiveOk) throw DWF::DwfResult::ArchiveEntryError;
        copyCurrentEntry(file.get(), info.uncompressedSize);
        if (!file.reset()) throw DWF::DwfResult::WriteFailed;
        path = DWFUtil::String::fromUtf8(copyPath);
        addTemporaryCopy(name, path);
    } catch (const std::bad_alloc&) {
        discardCopy(file, copyPath);
        DWFUtil::throwOutOfMemory();
    } catch (...) {
        discardCopy(file, copyPath);
        throw;
    }
}

// A partial copy is never handed out; it goes at once.
void DwfReader::discardCopy(platform::UniqueFd& file, const std::string& path) {
    archive_->closeEntry();
    file.reset();
    workDir_.removeFile(path);
}

// Copies the open entry in bounded pieces: a page's graphics never sit in
// memory whole.
void DwfReader::copyCurrentEntry(int fd, uint32_t size) {
    std::vector<char> chunk;
    try {
        chunk.resize(kCopyChunkSize);
    } catch (const std::bad_alloc&) {
        DWFUtil::throwOutOfMemory();
    }
    const bool withPassword = !password_.empty();
    uint64_t copied = 0;
    for (;;) {
        const int32_t count = archive_->readEntry(chunk.data(), kCopyChunkSize);
        if (count < 0) keepArchiveFailure();
        if (count == DWFZip::ArchiveBadPassword) {
            platform::debugOutput("Bad password\n");
            throw DWF::DwfResult::BadPassword;
        }
        if (count == DWFZip::ArchiveNoMemory) DWFUtil::throwOutOfMemory();
        if (count < 0) throw withPassword ? DWF::DwfResult::BadPassword : DWF::DwfResult::ArchiveEntryError;
        if (count == 0) break;
        if (!platform::writeAll(fd, chunk.data(), static_cast<size_t>(count))) throw DWF::DwfResult::WriteFailed;
        copied += static_cast<uint32_t>(count);
    }
    // A short entry, or one whose CRC-32 differs, is damaged (or, with a
    // password, decrypted with the wrong one).
    const int32_t closed = archive_->closeEntry();
    if (closed != DWFZip::ArchiveOk) keepArchiveFailure();
    if (copied != size || closed != DWFZip::ArchiveOk) {
        if (withPassword) {
            platform::debugOutput("Bad password\n");
            throw DWF::DwfResult::BadPassword;
        }
        throw DWF::DwfResult::ArchiveEntryError;
    }
}

void DwfReader::makeTemporaryFileName(DWFUtil::String& path, const DWFUtil::String& entryName) {
    std::string created;
    platform::UniqueFd file = createTemporaryFile(entryName, created);
    path = DWFUtil::String::fromUtf8(created);
}

platform::UniqueFd DwfReader::createTemporaryFile(const DWFUtil::String& entryName, std::string& path) {
    if (platform::temporaryPath().empty()) throw DWF::DwfResult::NoTempPath;
    if (!workDir_.create()) throw DWF::DwfResult::TempDirectoryFailed;
    platform::UniqueFd file = workDir_.createFile(temporaryExtension(entryName), path);
    if (!file.valid()) throw DWF::DwfResult::FileOpenFailed;
    return file;
}

// Files first, newest first, then the directory that holds them. The
// destructor runs this, so nothing here may throw: the list is walked in
// place rather than copied (a removed file's record goes, and only those
// after it move), and a report that cannot be made is dropped.
void DwfReader::removeTemporaryFiles() {
    const std::vector<std::string>& files = workDir_.files();
    for (size_t i = files.size(); i-- > 0;) {
        if (workDir_.removeFile(files[i])) continue;
        try {
            platform::debugOutput("Unable to delete file \"" + files[i] + "\"\n");
        } catch (const std::bad_alloc&) {
        }
    }
    workDir_.removeAll();
}

ArchiveFileInfo& DwfReader::entryRecord(const DWFUtil::String& name) {
    const std::string key = entryKey(name);
    const auto it = entries_.find(key);
    if (it != entries_.end()) return *it->second;
    if (!hasEntry(name)) throw DWF::DwfResult::NotFoundInPackage;
    auto record = std::make_unique<ArchiveFileInfo>();
    const DWF::DwfResult::Enum rc = getEntryInfo(name, *record);
    if (rc != DWF::DwfResult::Success) throw rc;
    return *entries_.emplace(key, std::move(record)).first->second;
}

std::unique_ptr<DWFUtil::InputStream> DwfReader::openEntryStream(const DWFUtil::String& name) {
    try {
        DWFUtil::String copy;
        if (findTemporaryCopy(name, copy)) return std::make_unique<DWFUtil::FileIStream>(copy.toUtf8());
        ArchiveFileInfo& record = entryRecord(name);
        if (!record.decompressor) {
            record.decompressor =
                std::make_shared<CFileDecompressor>(packagePath_.toUtf8(), record, password_.toUtf8());
        }
        return std::make_unique<CChildStream>(record.decompressor);
    } catch (const std::bad_alloc&) {
        DWFUtil::throwOutOfMemory();
    }
}

std::unique_ptr<DWFUtil::InputStream> DwfReader::openDocumentStream(const DWFUtil::String& name,
                                                                    const ArchiveFileInfo& record) {
    DWFUtil::String copy;
    if (findTemporaryCopy(name, copy)) return std::make_unique<DWFUtil::FileIStream>(copy.toUtf8());
    try {
        return std::make_unique<CChildStream>(
            std::make_shared<CFileDecompressor>(packagePath_.toUtf8(), record, password_.toUtf8(), false));
    } catch (const std::bad_alloc&) {
        DWFUtil::throwOutOfMemory();
    }
}

DWF::DwfResult::Enum DwfReader::parseDocument(const DWFUtil::String& name,
                                              const DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder>& builder) {
    failure_.clear();
    ArchiveFileInfo& record = entryRecord(name);
    const auto entry = [&name] { return "entry \"" + name.toUtf8() + "\""; };
    if (record.uncompressedSize > kDocumentSizeLimit - documentBytes_) {
        failure_.recordf(DWF::DwfResult::InvalidData, 0, entry(), "the package's documents would take more than %llu MiB",
                         static_cast<unsigned long long>(kDocumentSizeLimit >> 20));
        return DWF::DwfResult::InvalidData;
    }
    // The text of its elements stays with the model: counted whether the
    // parse succeeds or not.
    documentBytes_ += record.uncompressedSize;
    // The parser holds the document whole, in room made once for the size
    // the directory gives (the limit caps what a false claim reserves); the
    // entry's content is read through once and not kept beside it. A parsed
    // document lives on in its model: its inflater and file descriptor go
    // with the stream, or a package of many pages would hold them all.
    std::unique_ptr<DWFUtil::InputStream> stream = openDocumentStream(name, record);
    setRootBuilder(builder);
    DWFUtil::XmlParser parser(this);
    const DWF::DwfResult::Enum result = parser.parseStream(stream.get(), kDocumentSizeLimit, record.uncompressedSize);
    if (result != DWF::DwfResult::Success) {
        // The parser's record, else that of the entry's data, which the parser
        // only saw fail.
        const auto* child = dynamic_cast<const CChildStream*>(stream.get());
        failure_ = parser.failure().failed() || child == nullptr ? parser.failure() : child->failure();
        if (!failure_.failed()) failure_.record(result, 0, {}, "the document cannot be read whole");
        failure_.within(entry());
    }
    return result;
}

}  // namespace DWFReader
