#include "model/util/io_handler.h"

#include <cstring>
#include <new>

#include "model/util/allocation.h"
#include "platform/unicode.h"

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
    contents = String::fromUtf8(contents_);
    return kSupported;
}

int32_t StringIOHandler::getContents(char16_t* buffer, uint32_t size) {
    const std::u16string wide = platform::utf8ToUtf16(contents_);
    return copyOut(wide.data(), static_cast<uint32_t>(wide.size()), buffer, size);
}

int32_t StringIOHandler::getContents(char* buffer, uint32_t size) {
    return copyOut(contents_.data(), static_cast<uint32_t>(contents_.size()), buffer, size);
}

int32_t StringIOHandler::write(const String& text) {
    try {
        contents_.append(text.narrowView());
    } catch (const std::bad_alloc&) {
        throwOutOfMemory();
    }
    return kSupported;
}

int32_t StringIOHandler::write(const char16_t* text) { return write(String(text, false)); }

int32_t StringIOHandler::write(const char* text) { return write(String(text, false)); }

}  // namespace DWFUtil
