#include "dwfplot/render/raster.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "dwfplot/image_codec.h"

namespace {

using dwfplot_tool::decodeRaster;
using dwfplot_tool::Raster;
using dwfplot_tool::RasterStatus;

constexpr WT_RGBA32 W{255, 255, 255, 255};
constexpr WT_RGBA32 K{0, 0, 0, 255};
constexpr WT_RGBA32 R{200, 10, 20, 255};
constexpr WT_RGBA32 G{30, 180, 40, 128};
constexpr WT_RGBA32 B{50, 60, 220, 0};
constexpr WT_RGBA32 T{0, 0, 0, 0};

std::vector<uint8_t> rgba(const std::vector<WT_RGBA32>& pixels) {
    std::vector<uint8_t> bytes;
    for (const WT_RGBA32& p : pixels) bytes.insert(bytes.end(), {p.m_red, p.m_green, p.m_blue, p.m_alpha});
    return bytes;
}

std::vector<uint8_t> solid(size_t count, const WT_RGBA32& color) { return rgba(std::vector<WT_RGBA32>(count, color)); }

// A PNG or JPEG file of `pixels`, `channels` bytes each, written by our codec.
std::vector<uint8_t> fileOf(bool png, int width, int height, int channels, std::vector<uint8_t> pixels) {
    const IMAGE image{width, height, channels, pixels.data()};
    std::vector<uint8_t> file;
    EXPECT_TRUE(png ? dwfplot_tool::encodePng(image, file) : dwfplot_tool::encodeJpeg(image, file));
    return file;
}

// T.6 coding of an 8 x 2 image, reference line of the first row all white:
//   row 1 W W B B B W W W: horizontal "001", white run 2 "0111", black run 3 "10"; V0 "1" to the end.
//   row 2 W W W B B B W W: VR1 "011" (a1 = 3, b1 = 2), VR1 "011" (a1 = 6, b1 = 5), V0 "1".
// 0010111101 0110111, then EOFB 000000000001 000000000001, padded: 2F 5B 80 08 00 80.
const std::vector<uint8_t> kGroup4{0x2F, 0x5B, 0x80, 0x08, 0x00, 0x80};

struct Case {
    const char* name;
    uint16_t format, columns, rows;
    std::optional<WT_Color_Map> map;
    std::vector<uint8_t> data;
    int32_t width, height;
    std::vector<uint8_t> expected;
    int tolerance = 0;  // JPEG is lossy
};

// The stream's map in force, for the indexed format; mapped images must not use it.
const WT_Color_Map kCurrentMap(std::vector<WT_RGBA32>{R, G, B});

TEST(Raster, EveryImageFormatDecodedToTheExpectedPixels) {
    const WT_Color_Map twoEntries(std::vector<WT_RGBA32>{G, R});
    const std::vector<uint8_t> pngPixels = rgba({R, G, B, T});
    const Case cases[] = {
        {"RGB", WT_Image::RGB, 2, 2, std::nullopt, {200, 10, 20, 0, 0, 0, 255, 255, 255, 1, 2, 3},
         2, 2, rgba({R, K, W, {1, 2, 3, 255}})},
        {"RGBA", WT_Image::RGBA, 2, 1, std::nullopt, {30, 180, 40, 128, 50, 60, 220, 0}, 2, 1, rgba({G, B})},
        {"indexed into the current map, 3 beyond it", WT_Image::Indexed, 2, 2, std::nullopt, {0, 2, 1, 3},
         2, 2, rgba({R, B, G, T})},
        {"mapped into its own map, 5 beyond it", WT_Image::Mapped, 2, 2, twoEntries, {1, 0, 0, 5},
         2, 2, rgba({R, G, G, T})},
        // Rows of two bytes, padded; the padding bits are set and ignored.
        {"bitonal", WT_Image::Bitonal_Mapped, 9, 2, twoEntries, {0xA5, 0x7F, 0x7F, 0xFF},
         9, 2, rgba({R, G, R, G, G, R, G, R, G, G, R, R, R, R, R, R, R, R})},
        {"bitonal with one entry: 1 is transparent", WT_Image::Bitonal_Mapped, 2, 2,
         WT_Color_Map(std::vector<WT_RGBA32>{B}), {0x80, 0x40}, 2, 2, rgba({T, B, B, T})},
        {"group 4", WT_Image::Group4, 8, 2, std::nullopt, kGroup4,
         8, 2, rgba({W, W, K, K, K, W, W, W, W, W, W, K, K, K, W, W})},
        {"group 4 without end of block", WT_Image::Group4, 8, 2, std::nullopt, {0x2F, 0x5B, 0x80},
         8, 2, rgba({W, W, K, K, K, W, W, W, W, W, W, K, K, K, W, W})},
        {"group 4X", WT_Image::Group4X_Mapped, 8, 2, twoEntries, kGroup4,
         8, 2, rgba({G, G, R, R, R, G, G, G, G, G, G, R, R, R, G, G})},
        // The decoded size wins over the declared one.
        {"PNG", WT_Image::PNG, 1, 1, std::nullopt, fileOf(true, 2, 2, 4, pngPixels), 2, 2, pngPixels},
        {"JPEG grey", WT_Image::JPEG, 4, 2, std::nullopt, fileOf(false, 4, 2, 1, std::vector<uint8_t>(8, 90)),
         4, 2, solid(8, {90, 90, 90}), 3},
        // Alpha is dropped on writing and comes back opaque.
        {"JPEG colour", WT_Image::JPEG, 2, 2, std::nullopt, fileOf(false, 2, 2, 4, solid(4, {200, 40, 90, 7})),
         2, 2, solid(4, {200, 40, 90}), 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WT_Image image(c.rows, c.columns, c.format, 1, c.map, c.data, {}, {});
        Raster out;
        std::string why;
        ASSERT_EQ(decodeRaster(image, kCurrentMap, out, why), RasterStatus::Decoded) << why;
        EXPECT_EQ(why, "");
        EXPECT_EQ(out.width, c.width);
        EXPECT_EQ(out.height, c.height);
        ASSERT_EQ(out.rgba.size(), c.expected.size());
        for (size_t i = 0; i < out.rgba.size(); ++i) {
            EXPECT_LE(std::abs(out.rgba[i] - c.expected[i]), c.tolerance) << "byte " << i;
        }
    }
}

struct BrokenCase {
    const char* name;
    uint16_t format, columns, rows;
    std::optional<WT_Color_Map> map;
    std::vector<uint8_t> data;
    RasterStatus status;
    const char* why;
};

TEST(Raster, BrokenAndUndecodableImagesSayWhy) {
    const WT_Color_Map one(std::vector<WT_RGBA32>{R});
    const WT_Color_Map empty(std::vector<WT_RGBA32>{});
    const auto broken = RasterStatus::Broken;
    const BrokenCase cases[] = {
        {"short RGB", WT_Image::RGB, 4, 4, std::nullopt, std::vector<uint8_t>(10), broken,
         "RGB data holds 10 bytes for 4 x 4 pixels"},
        {"short RGBA", WT_Image::RGBA, 2, 2, std::nullopt, std::vector<uint8_t>(15), broken,
         "RGBA data holds 15 bytes for 2 x 2 pixels"},
        {"short indexed", WT_Image::Indexed, 2, 2, std::nullopt, {0, 0, 0}, broken,
         "indexed data holds 3 bytes for 2 x 2 pixels"},
        {"short mapped", WT_Image::Mapped, 2, 2, one, {0, 0, 0}, broken, "mapped data holds 3 bytes for 2 x 2 pixels"},
        // 9 columns take two bytes a row.
        {"short bitonal", WT_Image::Bitonal_Mapped, 9, 2, one, {0, 0, 0}, broken,
         "bitonal data holds 3 bytes for 9 x 2 pixels"},
        {"bitonal without map", WT_Image::Bitonal_Mapped, 2, 2, std::nullopt, {0, 0}, broken,
         "bitonal image has no colour map"},
        {"bitonal with an empty map", WT_Image::Bitonal_Mapped, 2, 2, empty, {0, 0}, broken,
         "bitonal image has an empty colour map"},
        {"mapped without map", WT_Image::Mapped, 1, 1, std::nullopt, {0}, broken, "mapped image has no colour map"},
        {"group 4X without map", WT_Image::Group4X_Mapped, 8, 2, std::nullopt, kGroup4, broken,
         "group 4X image has no colour map"},
        {"group 4 garbage", WT_Image::Group4, 8, 3, std::nullopt, {0x00, 0x00, 0x00, 0x00}, broken,
         "group 4 data does not decode"},
        // Row 1 of kGroup4, then end of block: libtiff fills the strip and only complains.
        {"group 4 ending after one row of two", WT_Image::Group4, 8, 2, std::nullopt, {0x2F, 0x40, 0x04, 0x00, 0x40},
         broken, "group 4 data does not decode"},
        {"group 4 empty", WT_Image::Group4, 8, 2, std::nullopt, {}, broken, "group 4 data does not decode"},
        {"PNG garbage", WT_Image::PNG, 2, 2, std::nullopt, {0x89, 'P', 'N', 'G'}, broken, "PNG data does not decode"},
        {"JPEG garbage", WT_Image::JPEG, 2, 2, std::nullopt, {0xFF, 0xD8, 0xFF}, broken, "JPEG data does not decode"},
        {"unknown format 11", 11, 2, 2, std::nullopt, {0, 0, 0, 0}, broken, "image format 11 is unknown"},
        {"0 columns", WT_Image::RGB, 0, 4, std::nullopt, {}, broken, "image of 0 x 4 pixels is empty"},
        {"0 rows", WT_Image::RGB, 4, 0, std::nullopt, {}, broken, "image of 4 x 0 pixels is empty"},
        // Refused before anything is allocated.
        {"too large", WT_Image::RGB, 65535, 65535, std::nullopt, {}, broken,
         "image of 65535 x 65535 pixels is too large"},
        {"group 3X", WT_Image::Group3X_Mapped, 2, 2, one, {0}, RasterStatus::Undecodable,
         "group 3X coding is not decodable"},
    };
    for (const BrokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const WT_Image image(c.rows, c.columns, c.format, 1, c.map, c.data, {}, {});
        Raster out{1, 1, {1, 2, 3, 4}};
        std::string why;
        // libtiff and libjpeg must keep their complaints to themselves.
        testing::internal::CaptureStderr();
        EXPECT_EQ(decodeRaster(image, kCurrentMap, out, why), c.status);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(why, c.why);
        EXPECT_EQ(out.width, 0);
        EXPECT_EQ(out.height, 0);
        EXPECT_TRUE(out.rgba.empty());
    }
}

}  // namespace
