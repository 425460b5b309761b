#include "dwfplot/render/raster.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "dwfplot/image_codec.h"

namespace dwfplot_tool {
namespace {

constexpr WT_RGBA32 kTransparent{0, 0, 0, 0};
constexpr WT_RGBA32 kWhite{255, 255, 255, 255};
constexpr WT_RGBA32 kBlack{0, 0, 0, 255};

RasterStatus broken(std::string& why, std::string text) {
    why = std::move(text);
    return RasterStatus::Broken;
}

bool fail(std::string& why, std::string text) {
    why = std::move(text);
    return false;
}

std::string shapeOf(const WT_Image& image) {
    return std::to_string(image.columns()) + " x " + std::to_string(image.rows()) + " pixels";
}

size_t pixelCount(const WT_Image& image) { return size_t{image.columns()} * size_t{image.rows()}; }

void paint(uint8_t* pixel, const WT_RGBA32& color) {
    pixel[0] = color.m_red;
    pixel[1] = color.m_green;
    pixel[2] = color.m_blue;
    pixel[3] = color.m_alpha;
}

// Entry `index` of `map`; an entry the map lacks is a transparent pixel, not a broken image.
WT_RGBA32 entryOf(const WT_Color_Map& map, size_t index) {
    return index < static_cast<size_t>(map.size()) ? map.color(static_cast<int>(index)) : kTransparent;
}

bool enoughData(const WT_Image& image, uint64_t needed, std::string& why) {
    if (image.data().size() >= needed) return true;
    why = std::string(WT_Image::format_name(image.format())) + " data holds " + std::to_string(image.data().size()) +
          " bytes for " + shapeOf(image);
    return false;
}

void startRaster(const WT_Image& image, Raster& out) {
    out.width = image.columns();
    out.height = image.rows();
    out.rgba.assign(pixelCount(image) * 4, 0);
}

// RGB and RGBA: the pixels as they are, row after row without padding.
RasterStatus decodeDirect(const WT_Image& image, size_t channels, Raster& out, std::string& why) {
    if (!enoughData(image, pixelCount(image) * channels, why)) return RasterStatus::Broken;
    startRaster(image, out);
    const uint8_t* in = image.data().data();
    for (size_t p = 0; p < pixelCount(image); ++p, in += channels) {
        paint(&out.rgba[p * 4], WT_RGBA32(in[0], in[1], in[2], channels == 4 ? in[3] : 255));
    }
    return RasterStatus::Decoded;
}

RasterStatus decodeIndexed(const WT_Image& image, const WT_Color_Map& map, Raster& out, std::string& why) {
    if (!enoughData(image, pixelCount(image), why)) return RasterStatus::Broken;
    startRaster(image, out);
    for (size_t p = 0; p < pixelCount(image); ++p) paint(&out.rgba[p * 4], entryOf(map, image.data()[p]));
    return RasterStatus::Decoded;
}

// One bit per pixel, most significant first, each row starting on a whole byte.
void paintBits(const WT_Image& image, const uint8_t* bits, const WT_RGBA32 (&colors)[2], Raster& out) {
    startRaster(image, out);
    const size_t stride = (size_t{image.columns()} + 7) / 8;
    for (size_t y = 0; y < image.rows(); ++y) {
        for (size_t x = 0; x < image.columns(); ++x) {
            const int bit = (bits[y * stride + x / 8] >> (7 - x % 8)) & 1;
            paint(&out.rgba[(y * image.columns() + x) * 4], colors[bit]);
        }
    }
}

// Bit 0 takes entry 0 and bit 1 entry 1 of the image's own map, which must have at least entry 0.
bool twoColors(const WT_Image& image, WT_RGBA32 (&colors)[2], std::string& why) {
    const std::string name(WT_Image::format_name(image.format()));
    if (!image.color_map()) return fail(why, name + " image has no colour map");
    if (image.color_map()->size() == 0) return fail(why, name + " image has an empty colour map");
    colors[0] = entryOf(*image.color_map(), 0);
    colors[1] = entryOf(*image.color_map(), 1);
    return true;
}

// A TIFF file in memory, which libtiff reads through the callbacks below.
struct MemoryFile {
    std::vector<uint8_t> bytes;
    uint64_t position = 0;
};

tmsize_t readMemory(thandle_t handle, void* buffer, tmsize_t size) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (size <= 0 || file->position >= file->bytes.size()) return 0;
    const size_t count = static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(size),
                                                                file->bytes.size() - file->position));
    std::memcpy(buffer, file->bytes.data() + file->position, count);
    file->position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t writeMemory(thandle_t, void*, tmsize_t) { return 0; }

toff_t seekMemory(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    // Unsigned arithmetic wraps, so a negative offset from SEEK_CUR or SEEK_END comes out right.
    const uint64_t base = whence == SEEK_CUR ? file->position : whence == SEEK_END ? file->bytes.size() : 0;
    file->position = base + offset;
    return file->position;
}

int closeMemory(thandle_t) { return 0; }
toff_t sizeOfMemory(thandle_t handle) { return static_cast<MemoryFile*>(handle)->bytes.size(); }

int mapMemory(thandle_t handle, void** base, toff_t* size) {
    auto* file = static_cast<MemoryFile*>(handle);
    *base = file->bytes.data();
    *size = file->bytes.size();
    return 1;
}

void unmapMemory(thandle_t, void*, toff_t) {}

// Any message from libtiff while decoding means the data is not what it should be; returning 1
// keeps it off stderr.
int noteProblem(TIFF*, void* userData, const char*, const char*, va_list) {
    *static_cast<bool*>(userData) = true;
    return 1;
}

void put16(std::vector<uint8_t>& bytes, uint32_t value) {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& bytes, uint32_t value) {
    put16(bytes, value & 0xFFFF);
    put16(bytes, value >> 16);
}

// One IFD entry of a single value; a SHORT sits in the first two bytes of the value field.
void putTag(std::vector<uint8_t>& bytes, uint16_t tag, uint32_t value, bool isLong) {
    put16(bytes, tag);
    put16(bytes, isLong ? 4 : 3);
    put32(bytes, 1);
    put32(bytes, value);
}

// A little-endian TIFF of one strip holding the whole image: header, IFD, then the coded data.
void buildTiff(const WT_Image& image, std::vector<uint8_t>& tiff) {
    constexpr uint16_t kTags = 10;
    constexpr uint32_t kDataOffset = 8 + 2 + kTags * 12 + 4;
    const auto dataSize = static_cast<uint32_t>(image.data().size());
    tiff = {'I', 'I', 42, 0};
    tiff.reserve(kDataOffset + dataSize);
    put32(tiff, 8);
    put16(tiff, kTags);
    putTag(tiff, TIFFTAG_IMAGEWIDTH, image.columns(), true);
    putTag(tiff, TIFFTAG_IMAGELENGTH, image.rows(), true);
    putTag(tiff, TIFFTAG_BITSPERSAMPLE, 1, false);
    putTag(tiff, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4, false);
    putTag(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE, false);
    putTag(tiff, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB, false);
    putTag(tiff, TIFFTAG_STRIPOFFSETS, kDataOffset, true);
    putTag(tiff, TIFFTAG_SAMPLESPERPIXEL, 1, false);
    putTag(tiff, TIFFTAG_ROWSPERSTRIP, image.rows(), true);
    putTag(tiff, TIFFTAG_STRIPBYTECOUNTS, dataSize, true);
    put32(tiff, 0);
    tiff.insert(tiff.end(), image.data().begin(), image.data().end());
}

using OpenOptions = std::unique_ptr<TIFFOpenOptions, void (*)(TIFFOpenOptions*)>;
using OpenTiff = std::unique_ptr<TIFF, void (*)(TIFF*)>;

// Decodes T.6 coded data with libtiff into rows of bits, 1 for black runs, each row on whole bytes.
bool decodeGroup4(const WT_Image& image, std::vector<uint8_t>& bits, std::string& why) {
    const std::string failure = image.format() == WT_Image::Group4 ? "group 4 data does not decode"
                                                                   : "group 4X data does not decode";
    // Classic TIFF offsets are 32-bit.
    if (image.data().empty() || image.data().size() > std::numeric_limits<uint32_t>::max() - 256u) {
        return fail(why, failure);
    }
    MemoryFile file;
    buildTiff(image, file.bytes);
    bool problem = false;
    const OpenOptions options(TIFFOpenOptionsAlloc(), TIFFOpenOptionsFree);
    if (!options) return fail(why, failure);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), noteProblem, &problem);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), noteProblem, &problem);
    const OpenTiff tiff(TIFFClientOpenExt("group 4", "r", &file, readMemory, writeMemory, seekMemory, closeMemory,
                                          sizeOfMemory, mapMemory, unmapMemory, options.get()),
                        TIFFClose);
    if (!tiff) return fail(why, failure);
    const size_t expected = (size_t{image.columns()} + 7) / 8 * image.rows();
    const tmsize_t stripSize = TIFFStripSize(tiff.get());
    if (stripSize < 0 || static_cast<size_t>(stripSize) != expected) return fail(why, failure);
    // Rows the decoder never reaches stay white.
    bits.assign(expected, 0);
    const tmsize_t decoded = TIFFReadEncodedStrip(tiff.get(), 0, bits.data(), stripSize);
    if (decoded != stripSize || problem) return fail(why, failure);
    return true;
}

RasterStatus decodeFile(const WT_Image& image, Raster& out, std::string& why) {
    const bool png = image.format() == WT_Image::PNG;
    const std::unique_ptr<IMAGE, void (*)(IMAGE*)> decoded(png ? decodePng(image.data()) : decodeJpeg(image.data()),
                                                           freeImage);
    if (!decoded || decoded->channels < 1 || decoded->channels > 4) {
        return broken(why, png ? "PNG data does not decode" : "JPEG data does not decode");
    }
    const auto channels = static_cast<size_t>(decoded->channels);
    const size_t pixels = static_cast<size_t>(decoded->width) * static_cast<size_t>(decoded->height);
    out.width = decoded->width;
    out.height = decoded->height;
    out.rgba.assign(pixels * 4, 0);
    for (size_t p = 0; p < pixels; ++p) {
        const uint8_t* in = decoded->pixels + p * channels;
        // Grey (with or without alpha) goes to all three colours; an image without alpha is opaque.
        const bool grey = channels <= 2;
        const uint8_t alpha = channels % 2 == 0 ? in[channels - 1] : 255;
        paint(&out.rgba[p * 4], WT_RGBA32(in[0], grey ? in[0] : in[1], grey ? in[0] : in[2], alpha));
    }
    return RasterStatus::Decoded;
}

RasterStatus decodeByFormat(const WT_Image& image, const WT_Color_Map& currentMap, Raster& out, std::string& why) {
    WT_RGBA32 colors[2] = {kWhite, kBlack};
    std::vector<uint8_t> bits;
    switch (image.format()) {
        case WT_Image::RGB: return decodeDirect(image, 3, out, why);
        case WT_Image::RGBA: return decodeDirect(image, 4, out, why);
        case WT_Image::Indexed: return decodeIndexed(image, currentMap, out, why);
        case WT_Image::Mapped:
            if (!image.color_map()) return broken(why, "mapped image has no colour map");
            return decodeIndexed(image, *image.color_map(), out, why);
        case WT_Image::Bitonal_Mapped:
            if (!twoColors(image, colors, why)) return RasterStatus::Broken;
            if (!enoughData(image, (size_t{image.columns()} + 7) / 8 * image.rows(), why)) return RasterStatus::Broken;
            paintBits(image, image.data().data(), colors, out);
            return RasterStatus::Decoded;
        case WT_Image::Group4X_Mapped:
            if (!twoColors(image, colors, why)) return RasterStatus::Broken;
            [[fallthrough]];
        case WT_Image::Group4:
            if (!decodeGroup4(image, bits, why)) return RasterStatus::Broken;
            paintBits(image, bits.data(), colors, out);
            return RasterStatus::Decoded;
        case WT_Image::JPEG:
        case WT_Image::PNG: return decodeFile(image, out, why);
        default: return broken(why, "image format " + std::to_string(image.format()) + " is unknown");
    }
}

}  // namespace

RasterStatus decodeRaster(const WT_Image& image, const WT_Color_Map& currentMap, Raster& out, std::string& why) {
    out = Raster{};
    why.clear();
    if (image.format() == WT_Image::Group3X_Mapped) {
        why = "group 3X coding is not decodable";
        return RasterStatus::Undecodable;
    }
    if (image.columns() == 0 || image.rows() == 0) return broken(why, "image of " + shapeOf(image) + " is empty");
    if (pixelCount(image) > kMostImagePixels) return broken(why, "image of " + shapeOf(image) + " is too large");
    RasterStatus status = RasterStatus::Broken;
    try {
        status = decodeByFormat(image, currentMap, out, why);
    } catch (const std::bad_alloc&) {
        why = "no memory for an image of " + shapeOf(image);
    }
    if (status != RasterStatus::Decoded) out = Raster{};
    return status;
}

}  // namespace dwfplot_tool
