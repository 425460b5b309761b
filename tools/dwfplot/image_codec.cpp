#include "dwfplot/image_codec.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include <csetjmp>

#include "platform/file.h"

namespace dwfplot_tool {
namespace {

bool usableShape(int32_t width, int32_t height, int32_t channels) {
    return width > 0 && height > 0 && channels >= 1 && channels <= 4 &&
           static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= kMostImagePixels;
}

png_uint_32 pngFormat(int32_t channels) {
    switch (channels) {
        case 1: return PNG_FORMAT_GRAY;
        case 2: return PNG_FORMAT_GA;
        case 3: return PNG_FORMAT_RGB;
        default: return PNG_FORMAT_RGBA;
    }
}

// libjpeg reports errors through a callback that must not return; it jumps
// back to the frame that set the buffer, which holds no C++ objects.
struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void jpegErrorExit(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }
void jpegSilence(j_common_ptr, int) {}
void jpegNoOutput(j_common_ptr) {}

void useJpegErrors(JpegError& error) {
    jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegErrorExit;
    error.manager.emit_message = jpegSilence;
    error.manager.output_message = jpegNoOutput;
}

// Rows as JPEG takes them: grey or RGB, alpha dropped. Returns the channels.
int jpegRows(const IMAGE& image, std::vector<uint8_t>& rows) {
    const int32_t in = image.channels;
    const int out = in <= 2 ? 1 : 3;
    const size_t pixels = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    rows.resize(pixels * static_cast<size_t>(out));
    for (size_t p = 0; p < pixels; ++p) {
        for (int c = 0; c < out; ++c) rows[p * out + c] = image.pixels[p * static_cast<size_t>(in) + c];
    }
    return out;
}

int compressJpeg(const uint8_t* rows, int width, int height, int channels, int quality, unsigned char** buffer,
                 unsigned long* size) {
    jpeg_compress_struct info;
    JpegError error;
    info.err = &error.manager;
    useJpegErrors(error);
    if (setjmp(error.jump) != 0) {
        jpeg_destroy_compress(&info);
        return 0;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = channels;
    info.in_color_space = channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const size_t stride = static_cast<size_t>(width) * static_cast<size_t>(channels);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rows + stride * info.next_scanline);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return 1;
}

// Reads the header, then the pixels into `image` made by newImage. The
// frame holds no C++ objects, so the error jump skips no destructor.
IMAGE* decompressJpeg(const uint8_t* bytes, unsigned long size) {
    jpeg_decompress_struct info;
    JpegError error;
    IMAGE* volatile image = nullptr;
    info.err = &error.manager;
    useJpegErrors(error);
    if (setjmp(error.jump) != 0) {
        jpeg_destroy_decompress(&info);
        freeImage(image);
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = info.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_width > static_cast<JDIMENSION>(std::numeric_limits<int32_t>::max()) ||
        info.output_height > static_cast<JDIMENSION>(std::numeric_limits<int32_t>::max())) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    image = newImage(static_cast<int32_t>(info.output_width), static_cast<int32_t>(info.output_height),
                     info.output_components, kJpegEncoding);
    if (image == nullptr) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    const size_t stride = static_cast<size_t>(image->width) * static_cast<size_t>(image->channels);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->pixels + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

bool readWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    const platform::UniqueFd file = platform::openForReading(path);
    if (!file.valid()) return false;
    const int64_t size = platform::fileSize(file.get());
    if (size <= 0 || static_cast<uint64_t>(size) > kMostImagePixels) return false;
    bytes.resize(static_cast<size_t>(size));
    return platform::readUpTo(file.get(), bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

}  // namespace

IMAGE* newImage(int32_t width, int32_t height, int32_t channels, int32_t encoding) {
    if (!usableShape(width, height, channels)) return nullptr;
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(channels);
    auto* image = new (std::nothrow) IMAGE;
    if (image == nullptr) return nullptr;
    image->pixels = new (std::nothrow) unsigned char[bytes]();
    if (image->pixels == nullptr) {
        delete image;
        return nullptr;
    }
    image->width = width;
    image->height = height;
    image->channels = channels;
    image->encoding = encoding;
    return image;
}

void freeImage(IMAGE* image) {
    if (image == nullptr) return;
    delete[] image->pixels;
    delete image;
}

bool encodePng(const IMAGE& image, std::vector<uint8_t>& png) {
    if (image.pixels == nullptr || !usableShape(image.width, image.height, image.channels)) return false;
    png_image header;
    std::memset(&header, 0, sizeof header);
    header.version = PNG_IMAGE_VERSION;
    header.width = static_cast<png_uint_32>(image.width);
    header.height = static_cast<png_uint_32>(image.height);
    header.format = pngFormat(image.channels);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&header, nullptr, &size, 0, image.pixels, 0, nullptr)) return false;
    png.resize(size);
    if (!png_image_write_to_memory(&header, png.data(), &size, 0, image.pixels, 0, nullptr)) return false;
    png.resize(size);
    return true;
}

bool encodeJpeg(const IMAGE& image, std::vector<uint8_t>& jpeg, int quality) {
    if (image.pixels == nullptr || !usableShape(image.width, image.height, image.channels)) return false;
    std::vector<uint8_t> rows;
    const int channels = jpegRows(image, rows);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const int done = compressJpeg(rows.data(), image.width, image.height, channels, quality, &buffer, &size);
    if (done != 0) jpeg.assign(buffer, buffer + size);
    std::free(buffer);
    return done != 0;
}

IMAGE* decodePng(const std::vector<uint8_t>& png) {
    png_image header;
    std::memset(&header, 0, sizeof header);
    header.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&header, png.data(), png.size())) return nullptr;
    header.format = PNG_FORMAT_RGBA;
    if (header.width > static_cast<png_uint_32>(std::numeric_limits<int32_t>::max()) ||
        header.height > static_cast<png_uint_32>(std::numeric_limits<int32_t>::max())) {
        png_image_free(&header);
        return nullptr;
    }
    IMAGE* image =
        newImage(static_cast<int32_t>(header.width), static_cast<int32_t>(header.height), 4, kPngEncoding);
    if (image == nullptr) {
        png_image_free(&header);
        return nullptr;
    }
    if (!png_image_finish_read(&header, nullptr, image->pixels, 0, nullptr)) {
        png_image_free(&header);
        freeImage(image);
        return nullptr;
    }
    return image;
}

IMAGE* decodeJpeg(const std::vector<uint8_t>& jpeg) {
    if (jpeg.empty()) return nullptr;
    return decompressJpeg(jpeg.data(), static_cast<unsigned long>(jpeg.size()));
}

IMAGE* decodeImage(const std::vector<uint8_t>& bytes) {
    static const uint8_t pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() >= 8 && std::memcmp(bytes.data(), pngSignature, 8) == 0) return decodePng(bytes);
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return decodeJpeg(bytes);
    return nullptr;
}

int encodeImageCallback(IMAGE* image, long& size, void*& data) {
    if (image == nullptr) return 0;
    std::vector<uint8_t> bytes;
    const bool done = image->encoding == kJpegEncoding ? encodeJpeg(*image, bytes) : encodePng(*image, bytes);
    if (!done || bytes.empty() || bytes.size() > static_cast<size_t>(std::numeric_limits<long>::max())) return 0;
    data = std::malloc(bytes.size());
    if (data == nullptr) return 0;
    std::memcpy(data, bytes.data(), bytes.size());
    size = static_cast<long>(bytes.size());
    return 1;
}

void releaseImageCallback(void* data) { std::free(data); }

IMAGE* loadImageCallback(const char* path) {
    std::vector<uint8_t> bytes;
    if (path == nullptr || !readWholeFile(path, bytes)) return nullptr;
    return decodeImage(bytes);
}

std::string base64(const uint8_t* data, size_t size) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    text.reserve((size + 2) / 3 * 4);
    for (size_t i = 0; i < size; i += 3) {
        const uint32_t chunk = (uint32_t{data[i]} << 16) | (i + 1 < size ? uint32_t{data[i + 1]} << 8 : 0) |
                               (i + 2 < size ? uint32_t{data[i + 2]} : 0);
        text += digits[(chunk >> 18) & 63];
        text += digits[(chunk >> 12) & 63];
        text += i + 1 < size ? digits[(chunk >> 6) & 63] : '=';
        text += i + 2 < size ? digits[chunk & 63] : '=';
    }
    return text;
}

}  // namespace dwfplot_tool
