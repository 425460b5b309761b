#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "dwfplot/image_codec.h"
#include "support/temp_dir_test.h"

namespace {

using dwfplot_tool::freeImage;

struct Owned {
    IMAGE* image;
    ~Owned() { freeImage(image); }
};

IMAGE pattern(std::vector<unsigned char>& pixels, int width, int height, int channels) {
    pixels.resize(static_cast<size_t>(width * height * channels));
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>((i * 37 + i / 7) & 0xFF);
    IMAGE image;
    image.width = width;
    image.height = height;
    image.channels = channels;
    image.pixels = pixels.data();
    return image;
}

TEST(ImageCodec, PngKeepsEveryPixelOfEveryChannelCount) {
    for (int channels = 1; channels <= 4; ++channels) {
        std::vector<unsigned char> pixels;
        const IMAGE image = pattern(pixels, 5, 3, channels);
        std::vector<uint8_t> png;
        ASSERT_TRUE(dwfplot_tool::encodePng(image, png));
        const Owned back{dwfplot_tool::decodePng(png)};
        ASSERT_NE(back.image, nullptr);
        ASSERT_EQ(back.image->width, 5);
        ASSERT_EQ(back.image->height, 3);
        ASSERT_EQ(back.image->channels, 4);
        for (int p = 0; p < 15; ++p) {
            const unsigned char* in = pixels.data() + p * channels;
            const unsigned char* out = back.image->pixels + p * 4;
            const unsigned char grey = in[0];
            const unsigned char expected[4] = {
                grey, channels >= 3 ? in[1] : grey, channels >= 3 ? in[2] : grey,
                channels == 2 ? in[1] : channels == 4 ? in[3] : static_cast<unsigned char>(255)};
            // PNG stores grey with alpha unpremultiplied; compare colour only where opaque enough.
            if (expected[3] == 0) continue;
            EXPECT_EQ(out[3], expected[3]) << channels << " " << p;
            if (expected[3] == 255) {
                EXPECT_EQ(std::memcmp(out, expected, 3), 0) << channels << " " << p;
            }
        }
    }
}

TEST(ImageCodec, JpegKeepsAPlainImageClose) {
    std::vector<unsigned char> pixels(16 * 16 * 3);
    for (size_t i = 0; i < pixels.size(); i += 3) pixels[i] = 200, pixels[i + 1] = 100, pixels[i + 2] = 50;
    IMAGE image;
    image.width = 16;
    image.height = 16;
    image.channels = 3;
    image.pixels = pixels.data();
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(dwfplot_tool::encodeJpeg(image, jpeg));
    const Owned back{dwfplot_tool::decodeJpeg(jpeg)};
    ASSERT_NE(back.image, nullptr);
    EXPECT_EQ(back.image->channels, 3);
    for (int i = 0; i < 16 * 16 * 3; ++i) EXPECT_NEAR(back.image->pixels[i], pixels[static_cast<size_t>(i)], 6) << i;
}

TEST(ImageCodec, BrokenOrUnusableInputGivesNothing) {
    const std::vector<uint8_t> cases[] = {
        {}, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0}, {0xFF, 0xD8, 0xFF, 0xE0, 0, 0}, {'G', 'I', 'F'}};
    for (const auto& bytes : cases) EXPECT_EQ(dwfplot_tool::decodeImage(bytes), nullptr) << bytes.size();
    std::vector<uint8_t> out;
    IMAGE empty;
    EXPECT_FALSE(dwfplot_tool::encodePng(empty, out));
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
    const struct {
        int32_t encoding;
        const char* signature;
    } cases[] = {{0, "\xFF\xD8\xFF"}, {1, "\x89PNG"}, {4, "\x89PNG"}};
    for (const auto& c : cases) {
        std::vector<unsigned char> pixels;
        IMAGE image = pattern(pixels, 8, 6, 3);
        image.encoding = c.encoding;
        long size = 0;
        void* data = nullptr;
        ASSERT_EQ(dwfplot_tool::encodeImageCallback(&image, size, data), 1);
        ASSERT_GT(size, 4);
        EXPECT_EQ(std::memcmp(data, c.signature, std::strlen(c.signature)), 0) << c.encoding;
        const std::string path = workDir() + "/image.bin";
        testsupport::writeFile(path, std::string(static_cast<const char*>(data), static_cast<size_t>(size)));
        dwfplot_tool::releaseImageCallback(data);
        const Owned loaded{dwfplot_tool::loadImageCallback(path.c_str())};
        ASSERT_NE(loaded.image, nullptr);
        EXPECT_EQ(loaded.image->width, 8);
        EXPECT_EQ(loaded.image->height, 6);
        EXPECT_EQ(loaded.image->encoding, c.encoding == 0 ? 0 : 1);
    }
    IMAGE none;
    long size = 0;
    void* data = nullptr;
    EXPECT_EQ(dwfplot_tool::encodeImageCallback(&none, size, data), 0);
    EXPECT_EQ(dwfplot_tool::encodeImageCallback(nullptr, size, data), 0);
    EXPECT_EQ(dwfplot_tool::loadImageCallback((workDir() + "/missing.png").c_str()), nullptr);
    EXPECT_EQ(dwfplot_tool::loadImageCallback(nullptr), nullptr);
}

TEST(Base64, MatchesTheStandardVectors) {
    const std::pair<const char*, const char*> cases[] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},
                                                         {"foo", "Zm9v"},  {"foob", "Zm9vYg=="},  {"fooba", "Zm9vYmE="},
                                                         {"foobar", "Zm9vYmFy"}};
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(dwfplot_tool::base64(reinterpret_cast<const uint8_t*>(in), std::strlen(in)), out) << in;
    }
}

}  // namespace
