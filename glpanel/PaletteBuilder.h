#pragma once
// The logical palette the panel builds for a pixel format that needs one.
#include <cstdint>
#include <vector>

#include "glpanel/PixelFormatRules.h"

struct PaletteColour {
    uint8_t red, green, blue;
};

// 2^cColorBits entries; entry i spreads the channel bits of i over 0..255.
// A channel with no bits gives 0. Colour-bit counts above 16 give no entries.
std::vector<PaletteColour> BuildPaletteColours(const PixelFormatDescription& format);
