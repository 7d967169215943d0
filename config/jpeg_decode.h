// Decoding the program's JPEG pictures with libjpeg. Pure logic: bad or
// hostile data gives nothing, never a crash or an exit.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace setwise {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel
};

// Pictures larger than this on either side are refused.
constexpr int kMaxPictureSide = 4096;

std::optional<RgbImage> DecodeJpeg(const std::uint8_t* data, std::size_t size);

}  // namespace setwise
