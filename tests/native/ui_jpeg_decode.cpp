// JPEG decoding of the committed backgrounds, and refusal of damaged data.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "ui/JpegDecode.h"

namespace {

std::vector<uint8_t> ReadAsset(const char* name) {
    std::ifstream in(std::string(MOTOSKOP_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(JpegDecode, BackgroundsHaveTheirWindowSizesAndDarkPanels) {
    struct {
        const char* file;
        int width, height;
    } const backgrounds[] = {
        {"main_background.jpg",  800, 572},
        {"codes_background.jpg", 524, 365}
    };
    for (const auto& b : backgrounds) {
        std::vector<uint8_t> data = ReadAsset(b.file);
        ASSERT_FALSE(data.empty()) << b.file;
        RgbImage image;
        ASSERT_TRUE(DecodeJpeg(data.data(), data.size(), image)) << b.file;
        EXPECT_EQ(image.width, b.width);
        EXPECT_EQ(image.height, b.height);
        ASSERT_EQ(image.rgb.size(), size_t(b.width) * b.height * 3);
        // The middle of the panel is dark (an instrument panel, not a light dialog).
        const size_t mid = (size_t(b.height / 2) * b.width + 2) * 3;
        EXPECT_LT(image.rgb[mid] + image.rgb[mid + 1] + image.rgb[mid + 2], 3 * 90) << b.file;
    }
}

TEST(JpegDecode, DamagedOrForeignDataFailsWithoutCrashing) {
    RgbImage image;
    EXPECT_FALSE(DecodeJpeg(nullptr, 0, image));
    const uint8_t notJpeg[] = {'B', 'M', 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(DecodeJpeg(notJpeg, sizeof notJpeg, image));
    EXPECT_TRUE(image.rgb.empty());

    std::vector<uint8_t> data = ReadAsset("main_background.jpg");
    ASSERT_GT(data.size(), 1000u);
    std::vector<uint8_t> header(data.begin(), data.begin() + 300); // cut inside the tables
    EXPECT_FALSE(DecodeJpeg(header.data(), header.size(), image));
    EXPECT_EQ(image.width, 0);
}
