#pragma once
// A BMP file as texture pixel data (no GL texture object is made).
#include <cstdint>
#include <string>

struct BMPTexture {
    int32_t reserved = 0;   // neither set nor read here
    int32_t components = 0; // 3 or 4
    int32_t width = 0;
    int32_t height = 0;
    int32_t format = 0;      // GL_RGB 0x1907 or GL_RGBA 0x1908
    int32_t type = 0;        // GL_UNSIGNED_BYTE 0x1401
    uint8_t* data = nullptr; // width * height * components, bottom row first
    ~BMPTexture() { delete[] data; }
};

// nullptr on any failure, without a message. The caller owns the record.
BMPTexture* LoadBMPTexture(const std::string& fileName, bool alpha);
