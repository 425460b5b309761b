// The source the XML parser reads a document from; the package reader's
// entry streams implement it.
#ifndef DWFPLOT_MODEL_XML_XML_INPUT_STREAM_H
#define DWFPLOT_MODEL_XML_XML_INPUT_STREAM_H

#include <cstdint>

namespace DWFUtil {

class InputStream {
public:
    virtual ~InputStream() = default;
    // Reads up to `size` bytes: the count read, 0 at the end of the stream,
    // or a negative result code.
    virtual int64_t read(char* buffer, uint32_t size) = 0;
};

}  // namespace DWFUtil

#endif  // DWFPLOT_MODEL_XML_XML_INPUT_STREAM_H
