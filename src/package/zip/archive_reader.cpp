#include "package/zip/archive_reader.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

#include "package/zip/archive_result.h"
#include "package/zip/end_record_search.h"
#include "platform/unicode.h"

namespace DWFZip {
namespace {

constexpr const char* kPastDirectory = "a directory record runs past the directory";

// Deflate cannot make more than 258 bytes out of two bits.
constexpr uint64_t kLargestDeflateRatio = 1032;

// The directory is read front to back in pieces of this size, rather than
// with two reads per entry.
constexpr uint64_t kDirectoryPiece = 65536;

// What the directory claims about an entry must be something the data can
// back: no ZIP64 markers, room for an encryption header, stored data as long
// as its content, deflated data not beyond deflate's largest ratio.
bool plausibleClaims(const CentralHeader& header) {
    if (header.compressedSize == kZip64Marker || header.uncompressedSize == kZip64Marker ||
        header.localHeaderOffset == kZip64Marker) {
        return false;
    }
    const uint64_t overhead = (header.flags & kFlagEncrypted) ? kEncryptionHeaderSize : 0;
    if (header.compressedSize < overhead) return false;
    const uint64_t data = header.compressedSize - overhead;
    if (header.method == kMethodStored) return data == header.uncompressedSize;
    if (header.method == kMethodDeflated) {
        return header.uncompressedSize <= data * kLargestDeflateRatio + 258;
    }
    return true;  // refused when opened, like any method other than 0 and 8
}

}  // namespace

// A window on the central directory, moved forward as the directory is read.
class ArchiveReader::DirectoryReader {
public:
    DirectoryReader(int file, uint64_t end) : file_(file), end_(end) {}

    // The `size` bytes at `position`, which lie before the directory's end;
    // null when they cannot be read.
    const uint8_t* bytes(uint64_t position, size_t size) {
        if (position < start_ || position + size > start_ + buffer_.size()) {
            const uint64_t count = std::min(std::max<uint64_t>(kDirectoryPiece, size), end_ - position);
            buffer_.resize(static_cast<size_t>(count));
            start_ = position;
            if (count < size || !platform::readAt(file_, buffer_.data(), buffer_.size(), position)) {
                buffer_.clear();
                return nullptr;
            }
        }
        return buffer_.data() + (position - start_);
    }

private:
    int file_;
    uint64_t end_;
    uint64_t start_ = 0;
    std::vector<uint8_t> buffer_;
};

std::unique_ptr<ArchiveReader> ArchiveReader::open(std::u16string_view path, platform::Failure* failure) {
    const std::string narrowPath = platform::utf16ToUtf8(path);
    if (narrowPath.empty() || narrowPath.find('\0') != std::string::npos) return nullptr;
    platform::UniqueFd file = platform::openForReading(narrowPath);
    if (!file.valid()) return nullptr;
    const int64_t size = platform::fileSize(file.get());
    if (size < 0) return nullptr;
    std::unique_ptr<ArchiveReader> reader(new ArchiveReader(std::move(file), static_cast<uint64_t>(size)));
    if (reader->readDirectory() != ArchiveOk) {
        if (failure) *failure = reader->failure_;
        return nullptr;
    }
    return reader;
}

ArchiveReader::ArchiveReader(platform::UniqueFd file, uint64_t fileSize)
    : file_(std::move(file)), fileSize_(fileSize) {}

int32_t ArchiveReader::readDirectory() {
    uint64_t endPosition = 0;
    int32_t rc = findEndRecord(file_.get(), fileSize_, endPosition);
    if (rc == ArchiveBadFormat) return refuse(rc, 0, {}, "no end-of-directory record: not a ZIP archive");
    if (rc != ArchiveOk) return refuse(rc, 0, {}, "the end of the file cannot be read");
    uint8_t bytes[kEndRecordSize];
    if (endPosition + kEndRecordSize > fileSize_) {
        return refuse(ArchiveBadFormat, endPosition, {}, "the end-of-directory record runs past the end of the file");
    }
    if (!platform::readAt(file_.get(), bytes, sizeof bytes, endPosition)) {
        return refuse(ArchiveIoError, endPosition, {}, "the end-of-directory record cannot be read");
    }
    EndRecord end;
    decodeEndRecord(bytes, end);
    if (end.diskNumber != 0 || end.directoryDisk != 0 || end.entriesOnDisk != end.entries ||
        end.directoryOffset == kZip64Marker || end.directorySize == kZip64Marker) {
        return refuse(ArchiveBadFormat, endPosition, {}, "a multi-part or ZIP64 archive");
    }
    // Offsets that do not count bytes put in front of the archive show as a
    // gap between where the directory should end and where the record is.
    const uint64_t storedEnd = uint64_t{end.directoryOffset} + end.directorySize;
    if (endPosition < storedEnd) {
        return refuse(ArchiveBadFormat, endPosition, {}, "the directory would end after its end record");
    }
    shift_ = endPosition - storedEnd;
    directoryStart_ = uint64_t{end.directoryOffset} + shift_;
    directoryEnd_ = endPosition;
    entryCount_ = end.entries;
    if (uint64_t{entryCount_} * kCentralHeaderSize > end.directorySize) {
        return refuse(ArchiveBadFormat, endPosition, {}, "more entries than the directory has room for");
    }
    rc = checkEntries();
    if (rc != ArchiveOk) return rc;
    rc = firstEntry();
    return rc == ArchiveEndOfList ? ArchiveOk : rc;
}

// Walks the whole directory once, so that no later operation meets a record
// outside it, an entry outside the file or two entries sharing bytes; what
// it reads is kept as the index every lookup answers from.
int32_t ArchiveReader::checkEntries() {
    std::vector<std::pair<uint64_t, uint64_t>> spans;  // local header, least end
    spans.reserve(entryCount_);
    index_.reserve(entryCount_);
    DirectoryReader directory(file_.get(), directoryEnd_);
    uint64_t position = directoryStart_;
    for (uint32_t i = 0; i < entryCount_; ++i) {
        CentralHeader header;
        const int32_t rc = readCentralHeader(directory, position, header);
        if (rc != ArchiveOk) return rc;
        const uint8_t* nameBytes = directory.bytes(position + kCentralHeaderSize, header.nameLength);
        if (nameBytes == nullptr) return refuse(ArchiveIoError, position, {}, "a directory record cannot be read");
        const std::string_view name(reinterpret_cast<const char*>(nameBytes), header.nameLength);
        if (!plausibleClaims(header)) {
            return refuse(ArchiveBadFormat, position, name, "sizes the data cannot back, or ZIP64 markers");
        }
        index_.add(position, header, name);
        const uint64_t local = uint64_t{header.localHeaderOffset} + shift_;
        spans.emplace_back(local, local + kLocalHeaderSize + header.nameLength + header.compressedSize);
        position += header.recordSize();
    }
    index_.finish();
    std::sort(spans.begin(), spans.end());
    localPositions_.reserve(spans.size());
    for (size_t i = 0; i < spans.size(); ++i) {
        const uint64_t limit = i + 1 < spans.size() ? spans[i + 1].first : directoryStart_;
        if (spans[i].second > limit) {
            return refuse(ArchiveBadFormat, spans[i].first, {},
                          "an entry's data runs into the next entry or the directory");
        }
        localPositions_.push_back(spans[i].first);
    }
    return ArchiveOk;
}

int32_t ArchiveReader::readCentralHeader(DirectoryReader& directory, uint64_t position,
                                         CentralHeader& header) {
    if (position + kCentralHeaderSize > directoryEnd_) return refuse(ArchiveBadFormat, position, {}, kPastDirectory);
    const uint8_t* bytes = directory.bytes(position, kCentralHeaderSize);
    if (bytes == nullptr) return refuse(ArchiveIoError, position, {}, "a directory record cannot be read");
    if (!decodeCentralHeader(bytes, header)) {
        return refuse(ArchiveBadFormat, position, {}, "no directory record signature");
    }
    if (position + header.recordSize() > directoryEnd_) return refuse(ArchiveBadFormat, position, {}, kPastDirectory);
    return ArchiveOk;
}

void ArchiveReader::makeCurrent(uint32_t index) {
    hasCurrent_ = true;
    currentIndex_ = index;
    currentPosition_ = index_[index].position;
    current_ = index_[index].header;
}

int32_t ArchiveReader::firstEntry() {
    if (!file_.valid()) return ArchiveBadParameter;
    if (entryCount_ == 0) {
        hasCurrent_ = false;
        return ArchiveEndOfList;
    }
    makeCurrent(0);
    return ArchiveOk;
}

int32_t ArchiveReader::nextEntry() {
    if (!file_.valid()) return ArchiveBadParameter;
    if (!hasCurrent_ || currentIndex_ + 1 >= entryCount_) return ArchiveEndOfList;
    makeCurrent(currentIndex_ + 1);
    return ArchiveOk;
}

int32_t ArchiveReader::locateEntry(const char* name, int32_t caseSensitivity) {
    if (!file_.valid() || name == nullptr) return ArchiveBadParameter;
    const size_t length = strnlen(name, kLongestLookupName + 1);
    if (length > kLongestLookupName) return ArchiveBadParameter;
    try {
        const int64_t found = index_.find(std::string_view(name, length), caseSensitivity);
        if (found < 0) return ArchiveEndOfList;
        makeCurrent(static_cast<uint32_t>(found));
        return ArchiveOk;
    } catch (const std::bad_alloc&) {
        return ArchiveNoMemory;
    }
}

// The entry's bytes run to the next local header, or to the directory.
uint64_t ArchiveReader::entryLimit(uint64_t localPosition) const {
    const auto next = std::upper_bound(localPositions_.begin(), localPositions_.end(), localPosition);
    return next == localPositions_.end() ? directoryStart_ : *next;
}

// Reads the current entry's local header and finds its data after the
// header's own name and extra field, which need not be as long as the
// central ones.
int32_t ArchiveReader::locateData(LocalHeader& local, uint64_t& dataStart) {
    const uint64_t position = uint64_t{current_.localHeaderOffset} + shift_;
    uint8_t bytes[kLocalHeaderSize];
    if (!platform::readAt(file_.get(), bytes, sizeof bytes, position)) {
        return refuseCurrent(ArchiveIoError, position, "the local header cannot be read");
    }
    if (!decodeLocalHeader(bytes, local) || local.nameLength != current_.nameLength) {
        return refuseCurrent(ArchiveBadFormat, position, "no local header that matches the directory");
    }
    dataStart = position + kLocalHeaderSize + local.nameLength + local.extraLength;
    if (dataStart + current_.compressedSize > entryLimit(position)) {
        return refuseCurrent(ArchiveBadFormat, position, "the data runs into the next entry or the directory");
    }
    return ArchiveOk;
}

int32_t ArchiveReader::copyField(uint64_t position, uint16_t length, void* buffer,
                                 size_t size) const {
    if (buffer == nullptr || size == 0) return ArchiveOk;
    const size_t count = std::min<size_t>(length, size);
    if (!platform::readAt(file_.get(), buffer, count, position)) return ArchiveIoError;
    if (size > length) static_cast<char*>(buffer)[length] = '\0';
    return ArchiveOk;
}

int32_t ArchiveReader::entryInfo(ArchiveEntryInfo* info, char* name, size_t nameSize, void* extra,
                                 size_t extraSize, char* comment, size_t commentSize) {
    if (!file_.valid()) return ArchiveBadParameter;
    failure_.clear();
    if (!hasCurrent_) return ArchiveEndOfList;
    LocalHeader local;
    uint64_t dataStart = 0;
    int32_t rc = locateData(local, dataStart);
    if (rc != ArchiveOk) return rc;
    if (info != nullptr) {
        const CentralHeader& h = current_;
        *info = ArchiveEntryInfo{h.versionMadeBy, h.versionNeeded, h.flags, h.method,
                                 h.dosDateTime, fromDosDateTime(h.dosDateTime), h.crc,
                                 h.compressedSize, h.uncompressedSize, h.nameLength,
                                 h.extraLength, h.commentLength, h.diskNumberStart,
                                 h.internalAttributes, h.externalAttributes,
                                 uint64_t{h.localHeaderOffset} + shift_, dataStart};
    }
    const uint64_t namePosition = currentPosition_ + kCentralHeaderSize;
    const uint64_t extraPosition = namePosition + current_.nameLength;
    const uint64_t commentPosition = extraPosition + current_.extraLength;
    rc = copyField(namePosition, current_.nameLength, name, nameSize);
    if (rc == ArchiveOk) rc = copyField(extraPosition, current_.extraLength, extra, extraSize);
    if (rc == ArchiveOk) {
        rc = copyField(commentPosition, current_.commentLength, comment, commentSize);
    }
    return rc;
}

int32_t ArchiveReader::openEntry(const char* password) {
    if (!file_.valid()) return ArchiveBadParameter;
    if (!hasCurrent_) return ArchiveEndOfList;
    entry_.reset();
    failure_.clear();
    try {
        return openCurrent(password != nullptr ? password : "");
    } catch (const std::bad_alloc&) {
        entry_.reset();
        return ArchiveNoMemory;
    }
}

int32_t ArchiveReader::openCurrent(std::string_view password) {
    LocalHeader local;
    uint64_t dataStart = 0;
    int32_t rc = locateData(local, dataStart);
    if (rc != ArchiveOk) return rc;
    if (local.method != current_.method) {
        return refuseCurrent(ArchiveBadFormat, dataStart, "the local header's method differs from the directory's");
    }
    if (current_.method != kMethodStored && current_.method != kMethodDeflated) {
        return refuseCurrent(ArchiveBadFormat, dataStart, "a compression method other than stored or deflated");
    }
    if (!(local.flags & kFlagDataDescriptor) &&
        (local.crc != current_.crc || local.compressedSize != current_.compressedSize ||
         local.uncompressedSize != current_.uncompressedSize)) {
        return refuseCurrent(ArchiveBadFormat, dataStart,
                             "the local header's sizes or CRC-32 differ from the directory's");
    }
    // Without a password an encrypted entry can only read as garbage.
    if ((current_.flags & kFlagEncrypted) && password.empty()) {
        return refuseCurrent(ArchiveBadPassword, dataStart, "encrypted, and no password was given");
    }
    auto entry = std::make_unique<EntryInput>(file_.get());
    rc = entry->open(dataStart, current_, password);
    if (rc != ArchiveOk) return refuseCurrent(rc, entry->position(), entry->problem());
    entry_ = std::move(entry);
    return ArchiveOk;
}

int32_t ArchiveReader::readEntry(void* buffer, uint32_t size) {
    if (!file_.valid() || !entry_ || (buffer == nullptr && size > 0)) return ArchiveBadParameter;
    // The count travels in the result, so one call reads at most what it
    // can report.
    const uint32_t limit = std::min<uint32_t>(size, std::numeric_limits<int32_t>::max());
    const int32_t count = entry_->read(static_cast<uint8_t*>(buffer), limit);
    return count < 0 ? refuseCurrent(count, entry_->position(), entry_->problem()) : count;
}

int32_t ArchiveReader::closeEntry() {
    if (!file_.valid() || !entry_) return ArchiveBadParameter;
    int32_t rc = entry_->close();
    if (rc != ArchiveOk) rc = refuseCurrent(rc, entry_->position(), entry_->problem());
    entry_.reset();
    return rc;
}

int32_t ArchiveReader::refuse(int32_t code, uint64_t offset, std::string_view entry, const char* text) {
    char subject[platform::Failure::kSubjectRoom] = "";
    if (!entry.empty()) {
        std::snprintf(subject, sizeof subject, "entry \"%.*s\"", static_cast<int>(std::min<size_t>(entry.size(), 80)),
                      entry.data());
    }
    failure_.record(code, offset, subject, text);
    return code;
}

// The current entry's name is read again from the directory: only a failure
// needs it.
int32_t ArchiveReader::refuseCurrent(int32_t code, uint64_t offset, const char* text) {
    char name[81] = "";
    const size_t length = std::min<size_t>(current_.nameLength, sizeof name - 1);
    if (!platform::readAt(file_.get(), name, length, currentPosition_ + kCentralHeaderSize)) name[0] = '\0';
    return refuse(code, offset, std::string_view(name, std::strlen(name)), text);
}

int32_t ArchiveReader::close() {
    if (!file_.valid()) return ArchiveBadParameter;
    const int32_t rc = entry_ ? closeEntry() : ArchiveOk;
    file_.reset();
    hasCurrent_ = false;
    return rc;
}

}  // namespace DWFZip
