#pragma once
// The panel's font records and the rules of drawing and measuring text with them:
// a text is drawn only when every character code lies in the font's range.
#include <cstdint>
#include <string>

// Six floats, laid out as WGL's GLYPHMETRICSFLOAT.
struct GlyphMetrics {
    float blackBoxX;
    float blackBoxY;
    float originX;
    float originY;
    float cellIncX;
    float cellIncY;
};

struct OpenGLFont2D {
    int32_t firstGlyph;
    int32_t numGlyphs;
    uint32_t listBase;
};

struct OpenGLFont3D {
    int32_t firstGlyph;
    int32_t numGlyphs;
    uint32_t listBase;
    float extrusion;
    GlyphMetrics* glyphMetrics; // numGlyphs entries
};

// True when the text is not empty and every byte c has first <= c <= first + count - 1.
bool TextInGlyphRange(const std::string& text, int32_t firstGlyph, int32_t numGlyphs);

// Extent of a text in a 3D font: the cell increments of all characters but the
// last plus the black box of the last, and the extrusion as depth. No font, no
// result or an empty text leave `size` untouched; a character outside the range
// gives (0, 0, 0).
void Measure3DText(const OpenGLFont3D* font, const std::string& text, double* size);
