// Text sinks into which XML documents are written.
#ifndef DWFPLOT_MODEL_UTIL_IO_HANDLER_H
#define DWFPLOT_MODEL_UTIL_IO_HANDLER_H

#include <cstdint>
#include <string>

#include "model/util/string.h"

namespace DWFUtil {

// Every operation returns 1 on success and -1 when the handler does not
// support it; the base supports nothing.
class IOHandler {
public:
    virtual int32_t open();
    virtual int32_t getContents(String& contents);
    virtual int32_t getContents(char16_t* buffer, uint32_t size);
    virtual int32_t getContents(char* buffer, uint32_t size);
    virtual int32_t close();
    virtual int32_t write(const String& text);
    virtual int32_t write(const char16_t* text);
    virtual int32_t write(const char* text);
    virtual ~IOHandler();
};

// Accumulates everything written into one text. The text is kept as UTF-8
// in a growing buffer, so many small writes cost linear time; it is handed
// out as a String.
class StringIOHandler : public IOHandler {
public:
    int32_t getContents(String& contents) override;
    int32_t getContents(char16_t* buffer, uint32_t size) override;
    int32_t getContents(char* buffer, uint32_t size) override;
    int32_t write(const String& text) override;
    int32_t write(const char16_t* text) override;
    int32_t write(const char* text) override;

private:
    std::string contents_;
};

}  // namespace DWFUtil

#endif  // DWFPLOT_MODEL_UTIL_IO_HANDLER_H
