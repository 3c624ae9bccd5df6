#pragma once
// Decoding of Windows BMP files (uncompressed 1, 4, 8, 16, 24 and 32 bits per
// pixel, bottom-up or top-down) into plain RGB pixels.
#include <cstdint>
#include <string>
#include <vector>

struct BmpImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // width * height * 3, top row first
    const uint8_t* pixel(int x, int yFromTop) const {
        return &rgb[(size_t(yFromTop) * width + x) * 3];
    }
};

// False on anything it cannot read (truncated, compressed, absurd sizes).
bool DecodeBmp(const std::vector<uint8_t>& file, BmpImage& out);
bool LoadBmpFile(const std::string& path, BmpImage& out);
