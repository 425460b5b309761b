// Entry content taken from a file on disk, such as a page's W2D stream.
#ifndef DWFPLOT_PACKAGE_WRITER_FILE_RESOURCE_HANDLER_H
#define DWFPLOT_PACKAGE_WRITER_FILE_RESOURCE_HANDLER_H

#include <cstdint>

#include "package/writer/resource_handler.h"

namespace DWFWriter {

class FileResourceHandler : public ResourceHandler {
public:
    // The source file name is the part of `path` after its last '/', the
    // extension the part after a '.' in that name.
    FileResourceHandler(const DWFUtil::String& path, const DWFUtil::String& role, const DWFUtil::String& mime);

    // Copies the file in blocks of kBlockSize; a file that cannot be opened
    // or read to its end, or a failed write, gives false.
    bool writeContent(DwfResourceWriter& output) override;

    const DWFUtil::String& getPath() const { return path_; }

    // Large enough that a page stream of many megabytes is not read and
    // deflated a kilobyte per call.
    static constexpr uint32_t kBlockSize = 65536;

private:
    DWFUtil::String path_;
};

}  // namespace DWFWriter

#endif  // DWFPLOT_PACKAGE_WRITER_FILE_RESOURCE_HANDLER_H
