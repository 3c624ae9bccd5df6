#include "glpanel/TextRange.h"

bool TextInGlyphRange(const std::string& text, int32_t firstGlyph, int32_t numGlyphs) {
    if (text.empty()) return false;
    const int64_t last = int64_t(firstGlyph) + numGlyphs - 1;
    for (unsigned char c : text)
        if (c < firstGlyph || c > last) return false;
    return true;
}

void Measure3DText(const OpenGLFont3D* font, const std::string& text, double* size) {
    if (!font || !size || text.empty()) return;
    size[0] = 0;
    size[1] = 0;
    size[2] = font->extrusion;
    const int64_t last = int64_t(font->firstGlyph) + font->numGlyphs - 1;
    for (size_t k = 0; k < text.size(); ++k) {
        const int c = (unsigned char)text[k];
        if (c < font->firstGlyph || c > last || !font->glyphMetrics) {
            size[0] = size[1] = size[2] = 0;
            return;
        }
        const GlyphMetrics& g = font->glyphMetrics[c - font->firstGlyph];
        if (k + 1 < text.size()) {
            size[0] += g.cellIncX;
            size[1] += g.cellIncY;
        } else {
            size[0] += g.blackBoxX;
            size[1] += g.blackBoxY;
        }
    }
}
