// The program's JPEG pictures decode; damaged data is refused, not a crash.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "jpeg_decode.h"

using setwise::DecodeJpeg;

namespace {

std::vector<std::uint8_t> ReadPicture(const char* name) {
    const std::string path = std::string("Z:") + HOLM_SOURCE_DIR + "/config/res/" + name;
    std::vector<std::uint8_t> bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<std::uint8_t>(c));
        std::fclose(f);
    }
    return bytes;
}

}  // namespace

TEST(ConfigPictures, TheProgramsPicturesDecode) {
    for (const char* name : {"about.jpg", "import.jpg"}) {
        const std::vector<std::uint8_t> bytes = ReadPicture(name);
        ASSERT_FALSE(bytes.empty()) << name;
        const auto image = DecodeJpeg(bytes.data(), bytes.size());
        ASSERT_TRUE(image.has_value()) << name;
        EXPECT_EQ(image->width, 64);
        EXPECT_EQ(image->height, 64);
        EXPECT_EQ(image->rgb.size(), 64u * 64u * 3u);
    }
}

TEST(ConfigPictures, DamagedDataIsRefused) {
    std::vector<std::uint8_t> bytes = ReadPicture("about.jpg");
    ASSERT_GT(bytes.size(), 200u);
    EXPECT_FALSE(DecodeJpeg(bytes.data(), 100).has_value());  // cut inside the header
    EXPECT_FALSE(DecodeJpeg(nullptr, 0).has_value());
    const std::vector<std::uint8_t> garbage(500, 0x5A);
    EXPECT_FALSE(DecodeJpeg(garbage.data(), garbage.size()).has_value());
    // A frame header that claims a picture larger than allowed.
    for (size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = 0xFF;  // height high byte
            bytes[i + 7] = 0xFF;  // width high byte
            break;
        }
    }
    EXPECT_FALSE(DecodeJpeg(bytes.data(), bytes.size()).has_value());
}
