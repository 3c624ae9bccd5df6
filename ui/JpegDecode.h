#pragma once
// JPEG to packed 8-bit RGB through libjpeg. Portable: no window-system types.
#include <cstddef>
#include <cstdint>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // width * 3 bytes per row, top row first
};

// False (and out left empty) when the data is not a decodable JPEG; never aborts.
bool DecodeJpeg(const uint8_t* data, size_t size, RgbImage& out);
