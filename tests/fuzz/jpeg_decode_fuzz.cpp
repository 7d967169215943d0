// libFuzzer target for the decoding path of the configuration program's
// pictures: any input must decode or be refused, never crash or hang.
#include <cstddef>
#include <cstdint>

#include "jpeg_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = setwise::DecodeJpeg(data, size);
    if (image && image->rgb.size() != static_cast<std::size_t>(image->width) * image->height * 3) __builtin_trap();
    return 0;
}
