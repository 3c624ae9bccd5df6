#include "ui/JpegDecode.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf escape;
};

void OnJpegError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    longjmp(errors->escape, 1);
}

void IgnoreMessage(j_common_ptr) {}

} // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, RgbImage& out) {
    out = RgbImage{};
    if (!data || size < 4) return false;

    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnJpegError;
    errors.base.output_message = IgnoreMessage;
    // Nothing with a destructor lives between setjmp and the decode's end.
    std::vector<uint8_t>* pixels = &out.rgb;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        pixels->clear();
        out.width = out.height = 0;
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    const size_t stride = static_cast<size_t>(width) * 3;
    pixels->assign(stride * static_cast<size_t>(height), 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels->data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    out.width = width;
    out.height = height;
    return true;
}
