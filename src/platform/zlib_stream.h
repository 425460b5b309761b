// RAII owners of zlib streams: the stream is ended with its owner, whatever
// path the code that used it took.
#ifndef DWFPLOT_PLATFORM_ZLIB_STREAM_H
#define DWFPLOT_PLATFORM_ZLIB_STREAM_H

#include <zlib.h>

namespace platform {

enum class ZlibFormat {
    Raw,   // bare deflate data, as inside ZIP entries
    Zlib,  // with the two-byte header and Adler-32 trailer
};

class DeflateStream {
public:
    DeflateStream() = default;
    ~DeflateStream() { end(); }
    DeflateStream(const DeflateStream&) = delete;
    DeflateStream& operator=(const DeflateStream&) = delete;

    // Returns the zlib result of deflateInit2 (Z_OK on success).
    int init(ZlibFormat format, int level = Z_DEFAULT_COMPRESSION, int memoryLevel = 8);
    void end();
    bool active() const { return active_; }
    z_stream& get() { return stream_; }

private:
    z_stream stream_{};
    bool active_ = false;
};

class InflateStream {
public:
    InflateStream() = default;
    ~InflateStream() { end(); }
    InflateStream(const InflateStream&) = delete;
    InflateStream& operator=(const InflateStream&) = delete;

    // Returns the zlib result of inflateInit2 (Z_OK on success).
    int init(ZlibFormat format);
    void end();
    bool active() const { return active_; }
    z_stream& get() { return stream_; }

private:
    z_stream stream_{};
    bool active_ = false;
};

}  // namespace platform

#endif  // DWFPLOT_PLATFORM_ZLIB_STREAM_H
