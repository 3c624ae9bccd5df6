#include "tools/artgen/ImageFiles.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

void WriteBmp(const Canvas& canvas, const std::string& path) {
    const int w = canvas.width(), h = canvas.height();
    const uint32_t stride = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * static_cast<uint32_t>(h);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + imageSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(w));
    Put32(out, static_cast<uint32_t>(h)); // bottom-up rows
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            Rgb c = canvas.at(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (uint32_t pad = static_cast<uint32_t>(w) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size()) {
        if (f) std::fclose(f);
        throw std::runtime_error("cannot write " + path);
    }
    std::fclose(f);
}

void WriteJpeg(const Canvas& canvas, const std::string& path, int quality) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f);
    info.image_width = static_cast<JDIMENSION>(canvas.width());
    info.image_height = static_cast<JDIMENSION>(canvas.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full-resolution colour keeps small coloured text on the faces crisp.
    info.comp_info[0].h_samp_factor = 1;
    info.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    const size_t stride = static_cast<size_t>(canvas.width()) * 3;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(canvas.rgb().data()) + stride * info.next_scanline;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(f);
}

void WriteButtonFaces(const std::string& dir, const std::string& name, int w, int h,
                      const look::Content& content) {
    WriteBmp(look::ButtonPicture(w, h, content), dir + "/" + name + ".bmp");
    WriteBmp(look::LitButtonPicture(w, h, content), dir + "/" + name + "_lit.bmp");
}
