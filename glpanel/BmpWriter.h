#pragma once
// Writing a picture as a Windows BMP file (24 bits per pixel, bottom-up).
#include <cstdint>
#include <string>
#include <vector>

// pixels: width * height values 0x00RRGGBB, top row first.
std::vector<uint8_t> EncodeBmp24(int width, int height, const std::vector<uint32_t>& pixels);
bool WriteBmpFile(const std::string& path, int width, int height,
                  const std::vector<uint32_t>& pixels);
