// The text and byte sink that writes into the package writer's open entry.
#ifndef DWFPLOT_PACKAGE_WRITER_DWF_RESOURCE_WRITER_H
#define DWFPLOT_PACKAGE_WRITER_DWF_RESOURCE_WRITER_H

#include <cstdint>

#include "model/util/io_handler.h"

namespace DWFWriter {

class DwfWriter;

class DwfResourceWriter : public DWFUtil::IOHandler {
public:
    static constexpr int32_t kWritten = 1;
    static constexpr int32_t kFailed = -2;

    explicit DwfResourceWriter(DwfWriter& writer) : writer_(writer) {}

    // Each answers kWritten, or kFailed (and sets the error flag) when the
    // bytes did not reach the entry. Text goes in its UTF-8 form.
    int32_t writeBytes(const void* bytes, uint32_t count);
    int32_t write(const DWFUtil::String& text) override;
    int32_t write(const char16_t* text) override;
    int32_t write(const char* text) override;

    bool failed() const { return failed_; }

private:
    DwfWriter& writer_;
    bool failed_ = false;
};

}  // namespace DWFWriter

#endif  // DWFPLOT_PACKAGE_WRITER_DWF_RESOURCE_WRITER_H
