#include "glpanel/BmpWriter.h"

#include <cstdio>

namespace {
void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
} // namespace

std::vector<uint8_t> EncodeBmp24(int width, int height, const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> b;
    if (width <= 0 || height <= 0 || pixels.size() < size_t(width) * height) return b;
    const uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * uint32_t(height);
    b.reserve(54 + imageSize);
    b.push_back('B');
    b.push_back('M');
    Put32(b, 54 + imageSize); // file size
    Put32(b, 0);              // reserved
    Put32(b, 54);             // pixel data offset
    Put32(b, 40);             // BITMAPINFOHEADER
    Put32(b, uint32_t(width));
    Put32(b, uint32_t(height));
    Put16(b, 1);  // planes
    Put16(b, 24); // bits per pixel
    Put32(b, 0);  // BI_RGB
    Put32(b, imageSize);
    Put32(b, 3780); // 96 dpi
    Put32(b, 3780);
    Put32(b, 0);
    Put32(b, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[size_t(y) * width + x];
            b.push_back(uint8_t(p));
            b.push_back(uint8_t(p >> 8));
            b.push_back(uint8_t(p >> 16));
        }
        for (uint32_t pad = uint32_t(width) * 3; pad < stride; ++pad)
            b.push_back(0);
    }
    return b;
}

bool WriteBmpFile(const std::string& path, int width, int height,
                  const std::vector<uint32_t>& pixels) {
    const std::vector<uint8_t> bytes = EncodeBmp24(width, height, pixels);
    if (bytes.empty()) return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
