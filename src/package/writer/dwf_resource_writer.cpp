#include "package/writer/dwf_resource_writer.h"

#include <cstring>

#include "package/writer/dwf_writer.h"

namespace DWFWriter {

int32_t DwfResourceWriter::writeBytes(const void* bytes, uint32_t count) {
    if ((bytes == nullptr && count > 0) || !writer_.writeEntry(bytes, count)) {
        failed_ = true;
        return kFailed;
    }
    return kWritten;
}

int32_t DwfResourceWriter::write(const DWFUtil::String& text) {
    const std::string_view narrow = text.narrowView();
    return writeBytes(narrow.data(), static_cast<uint32_t>(narrow.size()));
}

int32_t DwfResourceWriter::write(const char16_t* text) {
    if (text == nullptr) return writeBytes(nullptr, 0);
    return write(DWFUtil::String(text));
}

int32_t DwfResourceWriter::write(const char* text) {
    if (text == nullptr) return writeBytes(nullptr, 0);
    return writeBytes(text, static_cast<uint32_t>(std::strlen(text)));
}

}  // namespace DWFWriter
