#include "jpeg_decode.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace setwise {

namespace {

// libjpeg reports errors through error_exit, which must not return: it
// jumps back to the decoder, which gives up on the picture.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void ErrorExit(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1); }
void NoMessage(j_common_ptr) {}

// Owns the decompressor for the length of one decode.
class Decompressor {
public:
    Decompressor() {
        info_.err = jpeg_std_error(&errors_.base);
        errors_.base.error_exit = ErrorExit;
        errors_.base.output_message = NoMessage;
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
    ~Decompressor() { jpeg_destroy_decompress(&info_); }
    jpeg_decompress_struct& Info() { return info_; }
    std::jmp_buf& Escape() { return errors_.escape; }

private:
    jpeg_decompress_struct info_ = {};
    ErrorManager errors_ = {};
};

bool DecodeInto(Decompressor& d, const std::uint8_t* data, std::size_t size, RgbImage& image) {
    jpeg_decompress_struct& info = d.Info();
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > kMaxPictureSide ||
        info.image_height > kMaxPictureSide)
        return false;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3) return false;
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    image.rgb.assign(stride * image.height, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.rgb.data() + stride * info.output_scanline;
        if (jpeg_read_scanlines(&info, &row, 1) != 1) return false;
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

std::optional<RgbImage> DecodeJpeg(const std::uint8_t* data, std::size_t size) {
    if (!data || size == 0) return std::nullopt;
    RgbImage image;
    Decompressor d;
    // Nothing with a destructor may be created between setjmp and a jump.
    if (setjmp(d.Escape())) return std::nullopt;
    if (!DecodeInto(d, data, size, image)) return std::nullopt;
    return image;
}

}  // namespace setwise
