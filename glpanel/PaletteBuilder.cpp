#include "glpanel/PaletteBuilder.h"

namespace {
uint8_t Spread(unsigned i, unsigned shift, unsigned bits) {
    if (bits == 0) return 0; // colour-index formats: nothing to spread
    const unsigned mask = (1u << (bits > 16 ? 16 : bits)) - 1;
    const unsigned level = shift >= 32 ? 0 : (i >> shift) & mask;
    return uint8_t(level * 255 / mask);
}
} // namespace

std::vector<PaletteColour> BuildPaletteColours(const PixelFormatDescription& format) {
    std::vector<PaletteColour> colours;
    if (format.cColorBits > 16) return colours;
    const unsigned n = 1u << format.cColorBits;
    colours.reserve(n);
    for (unsigned i = 0; i < n; ++i)
        colours.push_back({Spread(i, format.cRedShift, format.cRedBits),
                           Spread(i, format.cGreenShift, format.cGreenBits),
                           Spread(i, format.cBlueShift, format.cBlueBits)});
    return colours;
}
