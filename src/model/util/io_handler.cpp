#include "model/util/io_handler.h"

#include <cstring>

namespace DWFUtil {
namespace {
constexpr int32_t kSupported = 1;
constexpr int32_t kUnsupported = -1;

// Copies at most size - 1 units and always terminates after what it copied.
template <typename C>
int32_t copyOut(const C* text, uint32_t length, C* buffer, uint32_t size) {
    if (!buffer || size == 0) return kSupported;
    const uint32_t count = length < size - 1 ? length : size - 1;
    std::memcpy(buffer, text, count * sizeof(C));
    buffer[count] = 0;
    return kSupported;
}
}  // namespace

int32_t IOHandler::open() { return kUnsupported; }
int32_t IOHandler::getContents(String&) { return kUnsupported; }
int32_t IOHandler::getContents(char16_t*, uint32_t) { return kUnsupported; }
int32_t IOHandler::getContents(char*, uint32_t) { return kUnsupported; }
int32_t IOHandler::close() { return kUnsupported; }
int32_t IOHandler::write(const String&) { return kUnsupported; }
int32_t IOHandler::write(const char16_t*) { return kUnsupported; }
int32_t IOHandler::write(const char*) { return kUnsupported; }
IOHandler::~IOHandler() = default;

int32_t StringIOHandler::getContents(String& contents) {
    contents = contents_;
    return kSupported;
}

int32_t StringIOHandler::getContents(char16_t* buffer, uint32_t size) {
    return copyOut(contents_.wideChars(), contents_.wideLength(), buffer, size);
}

int32_t StringIOHandler::getContents(char* buffer, uint32_t size) {
    return copyOut(contents_.chars(), contents_.narrowLength(), buffer, size);
}

int32_t StringIOHandler::write(const String& text) {
    contents_ += text;
    return kSupported;
}

int32_t StringIOHandler::write(const char16_t* text) { return write(String(text, true)); }

int32_t StringIOHandler::write(const char* text) { return write(String(text, true)); }

}  // namespace DWFUtil
