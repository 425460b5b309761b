#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "dwfplot/image_codec.h"
#include "dwfplot/progress_bar.h"
#include "dwfplot/render_command.h"
#include "dwfplot/render/svg_canvas.h"
#include "support/temp_dir_test.h"

namespace {

using Owned = std::unique_ptr<IMAGE, void (*)(IMAGE*)>;

IMAGE pattern(std::vector<unsigned char>& pixels, int width, int height, int channels) {
    pixels.resize(static_cast<size_t>(width * height * channels));
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>((i * 37 + i / 7) & 0xFF);
    return IMAGE{width, height, channels, pixels.data()};
}

// PNG decodes to RGBA: grey goes to all three colours, and no alpha is opaque.
TEST(ImageCodec, PngKeepsEveryPixelOfEveryChannelCount) {
    for (int channels = 1; channels <= 4; ++channels) {
        std::vector<unsigned char> pixels;
        std::vector<uint8_t> png;
        ASSERT_TRUE(dwfplot_tool::encodePng(pattern(pixels, 5, 3, channels), png));
        const Owned back(dwfplot_tool::decodePng(png), dwfplot_tool::freeImage);
        ASSERT_NE(back, nullptr);
        ASSERT_EQ(std::tuple(back->width, back->height, back->channels), std::tuple(5, 3, 4));
        for (int p = 0; p < 15; ++p) {
            const unsigned char* in = pixels.data() + p * channels;
            const unsigned char* out = back->pixels + p * 4;
            const int alpha = channels % 2 == 0 ? in[channels - 1] : 255;
            // Grey with alpha is stored unpremultiplied: colour counts only where opaque.
            if (alpha == 0) continue;
            EXPECT_EQ(out[3], alpha) << channels << " " << p;
            if (alpha < 255) continue;
            const unsigned char expected[3] = {in[0], channels >= 3 ? in[1] : in[0], channels >= 3 ? in[2] : in[0]};
            EXPECT_EQ(std::memcmp(out, expected, 3), 0) << channels << " " << p;
        }
    }
}

TEST(ImageCodec, JpegKeepsAPlainImageClose) {
    std::vector<unsigned char> pixels(16 * 16 * 3);
    for (size_t i = 0; i < pixels.size(); i += 3) pixels[i] = 200, pixels[i + 1] = 100, pixels[i + 2] = 50;
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(dwfplot_tool::encodeJpeg(IMAGE{16, 16, 3, pixels.data()}, jpeg));
    const Owned back(dwfplot_tool::decodeJpeg(jpeg), dwfplot_tool::freeImage);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->channels, 3);
    for (size_t i = 0; i < pixels.size(); ++i) EXPECT_NEAR(back->pixels[i], pixels[i], 6) << i;
}

TEST(ImageCodec, BrokenOrUnusableInputGivesNothing) {
    const std::vector<uint8_t> cases[] = {
        {}, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0}, {0xFF, 0xD8, 0xFF, 0xE0, 0, 0}, {'G', 'I', 'F'}};
    for (const auto& bytes : cases) EXPECT_EQ(dwfplot_tool::decodeImage(bytes), nullptr) << bytes.size();
    std::vector<uint8_t> out;
    EXPECT_FALSE(dwfplot_tool::encodePng(IMAGE{}, out));
    std::vector<unsigned char> pixels;
    IMAGE fiveChannels = pattern(pixels, 2, 2, 4);
    fiveChannels.channels = 5;
    EXPECT_FALSE(dwfplot_tool::encodeJpeg(fiveChannels, out));
    EXPECT_EQ(dwfplot_tool::newImage(70000, 70000, 4, 0), nullptr);
}

class ImageCallbacks : public testsupport::TempDirTest {};

// Encoding 0 asks for JPEG and 1 to 4 for PNG; the loader takes back what
// the encoder made, whatever the file's extension.
TEST_F(ImageCallbacks, EncodeByKindAndLoadBack) {
    const std::pair<int32_t, const char*> cases[] = {{0, "\xFF\xD8\xFF"}, {1, "\x89PNG"}, {4, "\x89PNG"}};
    long size = 0;
    void* data = nullptr;
    for (const auto& [encoding, signature] : cases) {
        std::vector<unsigned char> pixels;
        IMAGE image = pattern(pixels, 8, 6, 3);
        image.encoding = encoding;
        ASSERT_EQ(dwfplot_tool::encodeImageCallback(&image, size, data), 1);
        const std::string path = workDir() + "image.bin";
        testsupport::writeFile(path, std::string(static_cast<const char*>(data), static_cast<size_t>(size)));
        dwfplot_tool::releaseImageCallback(data);
        EXPECT_EQ(testsupport::readFile(path).substr(0, std::strlen(signature)), signature) << encoding;
        const Owned loaded(dwfplot_tool::loadImageCallback(path.c_str()), dwfplot_tool::freeImage);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(std::tuple(loaded->width, loaded->height, loaded->encoding), std::tuple(8, 6, encoding == 0 ? 0 : 1));
    }
    IMAGE none;
    EXPECT_EQ(dwfplot_tool::encodeImageCallback(&none, size, data), 0);
    EXPECT_EQ(dwfplot_tool::encodeImageCallback(nullptr, size, data), 0);
    EXPECT_EQ(dwfplot_tool::loadImageCallback((workDir() + "missing.png").c_str()), nullptr);
    EXPECT_EQ(dwfplot_tool::loadImageCallback(nullptr), nullptr);
}

TEST(Base64, MatchesTheStandardVectors) {
    const std::pair<const char*, const char*> cases[] = {{"", ""},        {"f", "Zg=="},        {"fo", "Zm8="},
                                                         {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="},
                                                         {"foobar", "Zm9vYmFy"}};
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(dwfplot_tool::base64(reinterpret_cast<const uint8_t*>(in), std::strlen(in)), out) << in;
    }
}

// The SVG golden has the ordinary cases: markup, short decimals, whole
// numbers and a prefix cut at the file's extension.
TEST(SvgStrings, QuotesAndWhatXmlCannotHoldNegativeZeroAndDotsOutsideTheExtension) {
    EXPECT_EQ(dwfplot_tool::xmlText("a<b>&\"c\""), "a&lt;b&gt;&amp;&quot;c&quot;");
    EXPECT_EQ(dwfplot_tool::xmlText("x\x01y\xC3\xA9"), "x\xEF\xBF\xBDy\xC3\xA9");
    EXPECT_EQ(dwfplot_tool::xmlText("\xFF"), "\xEF\xBF\xBD");
    EXPECT_EQ(dwfplot_tool::svgNumber(-0.0001), "0");
    EXPECT_EQ(dwfplot_tool::defaultPrefix("a.dir/plot"), "a.dir/plot");
    EXPECT_EQ(dwfplot_tool::defaultPrefix("dir/.hidden"), "dir/.hidden");
}

// Drawn only on a terminal, which the command tests are not.
TEST(ProgressBar, LineHasThirtyCellsAndThePercentage) {
    EXPECT_EQ(dwfplot_tool::progressLine("svg", 0, 0), "svg [                              ] 0%");
    EXPECT_EQ(dwfplot_tool::progressLine("svg", 50, 100), "svg [###############               ] 50%");
    EXPECT_EQ(dwfplot_tool::progressLine("dump", 7, 5), "dump [##############################] 100%");
}

}  // namespace
