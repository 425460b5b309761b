// A stream over one package entry's uncompressed content with a position of
// its own; all streams of an entry share the entry's decompressor, which
// outlives the reader if a stream does.
#ifndef DWFPLOT_PACKAGE_READER_CHILD_STREAM_H
#define DWFPLOT_PACKAGE_READER_CHILD_STREAM_H

#include <cstdint>
#include <memory>

#include "model/xml/xml_input_stream.h"
#include "package/reader/file_decompressor.h"

namespace DWFReader {

class CChildStream : public DWFUtil::InputStream {
public:
    explicit CChildStream(std::shared_ptr<CFileDecompressor> decompressor)
        : decompressor_(std::move(decompressor)) {}

    // The count read, 0 at the end, or BadPassword / ArchiveEntryError.
    int64_t read(char* buffer, uint32_t size) override;

    uint64_t position() const { return position_; }
    // Why a read failed, when it did.
    const platform::Failure& failure() const { return decompressor_->failure(); }

private:
    std::shared_ptr<CFileDecompressor> decompressor_;
    uint64_t position_ = 0;
};

}  // namespace DWFReader

#endif  // DWFPLOT_PACKAGE_READER_CHILD_STREAM_H
