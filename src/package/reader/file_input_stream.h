// A stream over a file on disk: the package reader's temporary copies.
#ifndef DWFPLOT_PACKAGE_READER_FILE_INPUT_STREAM_H
#define DWFPLOT_PACKAGE_READER_FILE_INPUT_STREAM_H

#include <cstdint>
#include <string>

#include "model/xml/xml_input_stream.h"
#include "platform/file.h"

namespace DWFUtil {

class FileIStream : public InputStream {
public:
    // FileOpenFailed is thrown when the file cannot be opened for reading.
    explicit FileIStream(const std::string& path);

    // The count read, 0 at the end, or ReadFailed.
    int64_t read(char* buffer, uint32_t size) override;

private:
    platform::UniqueFd file_;
};

}  // namespace DWFUtil

#endif  // DWFPLOT_PACKAGE_READER_FILE_INPUT_STREAM_H
