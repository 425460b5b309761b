#include "platform/zlib_stream.h"

namespace platform {
namespace {
int windowBits(ZlibFormat format) { return format == ZlibFormat::Raw ? -MAX_WBITS : MAX_WBITS; }
}  // namespace

int DeflateStream::init(ZlibFormat format, int level, int memoryLevel) {
    end();
    stream_ = z_stream{};
    const int rc = deflateInit2(&stream_, level, Z_DEFLATED, windowBits(format), memoryLevel, Z_DEFAULT_STRATEGY);
    active_ = rc == Z_OK;
    return rc;
}

void DeflateStream::end() {
    if (active_) deflateEnd(&stream_);
    active_ = false;
}

int InflateStream::init(ZlibFormat format) {
    end();
    stream_ = z_stream{};
    const int rc = inflateInit2(&stream_, windowBits(format));
    active_ = rc == Z_OK;
    return rc;
}

void InflateStream::end() {
    if (active_) inflateEnd(&stream_);
    active_ = false;
}

}  // namespace platform
