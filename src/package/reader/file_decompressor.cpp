#include "package/reader/file_decompressor.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "model/util/allocation.h"
#include "package/zip/archive_result.h"
#include "package/zip/zip_records.h"
#include "platform/debug_output.h"

namespace DWFReader {
namespace {

// Content is produced in pieces of this size, however little a reader asks.
constexpr uint32_t kProductionStep = 65536;

DWFZip::CentralHeader centralHeaderOf(const ArchiveFileInfo& info) {
    DWFZip::CentralHeader header;
    header.versionNeeded = info.versionNeeded;
    header.flags = info.flags;
    header.method = info.method;
    header.dosDateTime = (uint32_t{info.date} << 16) | info.time;
    header.crc = info.crc;
    header.compressedSize = info.compressedSize;
    header.uncompressedSize = info.uncompressedSize;
    header.nameLength = info.nameLength;
    header.extraLength = info.extraLength;
    return header;
}

}  // namespace

CFileDecompressor::CFileDecompressor(const std::string& packagePath, const ArchiveFileInfo& info,
                                     const std::string& password, bool keepContent)
    : file_(platform::openForReading(packagePath)), input_(file_.get()), size_(info.uncompressedSize),
      keepContent_(keepContent) {
    if (!file_.valid()) throw DWF::DwfResult::FileOpenFailed;
    if (info.method != DWFZip::kMethodStored && info.method != DWFZip::kMethodDeflated) {
        throw DWF::DwfResult::ArchiveEntryError;
    }
    const int32_t rc = input_.open(info.dataPosition, centralHeaderOf(info), password);
    if (rc == DWFZip::ArchiveNoMemory) DWFUtil::throwOutOfMemory();
    if (rc != DWFZip::ArchiveOk) throw DWF::DwfResult::ArchiveEntryError;
}

int64_t CFileDecompressor::readAt(uint64_t position, char* buffer, uint32_t size) {
    if (size == 0) return 0;
    if (position < base_) return failWith(DWFZip::ArchiveBadParameter, "a read before what was already handed over");
    const DWF::DwfResult::Enum rc = produceUntil(position + size);
    const uint64_t held = base_ + content_.size();
    if (position >= held) return rc;  // nothing there: the end (0) or the failure
    const uint64_t count = std::min<uint64_t>(size, held - position);
    std::memcpy(buffer, content_.data() + (position - base_), count);
    if (!keepContent_ && position + count == held) {
        base_ = held;
        content_.clear();
    }
    return static_cast<int64_t>(count);
}

DWF::DwfResult::Enum CFileDecompressor::produceUntil(uint64_t wanted) {
    wanted = std::min<uint64_t>(wanted, size_);
    while (base_ + content_.size() < wanted && !finished_ && failure_ == DWF::DwfResult::Success) {
        const uint32_t produced = static_cast<uint32_t>(base_ + content_.size());
        const uint32_t step = std::min<uint32_t>(kProductionStep, size_ - produced);
        const size_t held = content_.size();
        try {
            content_.resize(held + step);
        } catch (const std::bad_alloc&) {
            DWFUtil::throwOutOfMemory();
        }
        const int32_t count = input_.read(reinterpret_cast<uint8_t*>(content_.data() + held), step);
        content_.resize(held + static_cast<size_t>(std::max(count, 0)));
        if (count < 0) return failWith(count);
        if (count == 0) finished_ = true;
    }
    if (failure_ != DWF::DwfResult::Success) return failure_;
    if (!finished_ && base_ + content_.size() == size_) {
        finished_ = true;
        if (input_.close() != DWFZip::ArchiveOk) return failWith(DWFZip::ArchiveCrcMismatch);
    }
    // Less than the directory promised is damage, not an end.
    if (finished_ && base_ + content_.size() < size_) {
        return failWith(DWFZip::ArchiveBadFormat, DWFZip::kShortDataProblem);
    }
    return DWF::DwfResult::Success;
}

DWF::DwfResult::Enum CFileDecompressor::failWith(int32_t archiveCode, const char* problem) {
    record_.record(archiveCode, input_.position(), {}, problem != nullptr ? problem : input_.problem());
    if (archiveCode == DWFZip::ArchiveBadPassword) {
        platform::debugOutput("Bad password\n");
        failure_ = DWF::DwfResult::BadPassword;
    } else if (archiveCode == DWFZip::ArchiveNoMemory) {
        DWFUtil::throwOutOfMemory();
    } else {
        failure_ = DWF::DwfResult::ArchiveEntryError;
    }
    return failure_;
}

}  // namespace DWFReader
