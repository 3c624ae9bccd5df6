#include "glpanel/PanelFonts_win32.h"

#include <GL/gl.h>

#include <new>

#include "glpanel/Cp1251.h"

namespace {

// Texts are Windows-1251 bytes whatever the system's ANSI code page, so a font
// asked for in the ANSI character set is made with the Cyrillic one.
HFONT MakeGdiFont(const TPanelFont& font) {
    LOGFONTW lf = {};
    lf.lfHeight = font.height;
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic ? TRUE : FALSE;
    lf.lfCharSet = font.charset == ANSI_CHARSET || font.charset == DEFAULT_CHARSET
                       ? BYTE(RUSSIAN_CHARSET)
                       : font.charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

} // namespace

OpenGLFont2D* BuildFont2D(HDC dc, const TPanelFont* font, int32_t first, int32_t count) {
    if (!font || count <= 0 || first < 0) return nullptr;
    const GLuint base = glGenLists(count);
    if (base == 0) return nullptr;
    OpenGLFont2D* record = new (std::nothrow) OpenGLFont2D{first, count, base};
    if (!record) {
        glDeleteLists(base, count);
        return nullptr;
    }
    HFONT gdiFont = MakeGdiFont(*font);
    HGDIOBJ previous = SelectObject(dc, gdiFont);
    for (int32_t k = 0; k < count; ++k) {
        const int code = first + k;
        const DWORD ch = code <= 0xFF ? Cp1251ToUnicode(uint8_t(code)) : DWORD(code);
        wglUseFontBitmapsW(dc, ch, 1, base + k);
    }
    SelectObject(dc, previous);
    DeleteObject(gdiFont);
    return record;
}

OpenGLFont3D* BuildFont3D(HDC dc, const TPanelFont* font, int32_t first, int32_t count,
                          float deviation, float extrusion, int32_t format) {
    if (!font || count <= 0 || first < 0) return nullptr;
    const GLuint base = glGenLists(count);
    if (base == 0) return nullptr;
    OpenGLFont3D* record = new (std::nothrow) OpenGLFont3D{first, count, base, extrusion, nullptr};
    if (record) record->glyphMetrics = new (std::nothrow) GlyphMetrics[count]();
    if (!record || !record->glyphMetrics) {
        delete record;
        glDeleteLists(base, count);
        return nullptr;
    }
    static_assert(sizeof(GlyphMetrics) == sizeof(GLYPHMETRICSFLOAT), "glyph metric layout");
    HFONT gdiFont = MakeGdiFont(*font);
    HGDIOBJ previous = SelectObject(dc, gdiFont);
    const int wglFormat = format == 0 ? WGL_FONT_LINES : WGL_FONT_POLYGONS;
    for (int32_t k = 0; k < count; ++k) {
        const int code = first + k;
        const DWORD ch = code <= 0xFF ? Cp1251ToUnicode(uint8_t(code)) : DWORD(code);
        GLYPHMETRICSFLOAT metrics = {};
        if (wglUseFontOutlinesW(dc, ch, 1, base + k, deviation, extrusion, wglFormat, &metrics))
            record->glyphMetrics[k] = {metrics.gmfBlackBoxX,       metrics.gmfBlackBoxY,
                                       metrics.gmfptGlyphOrigin.x, metrics.gmfptGlyphOrigin.y,
                                       metrics.gmfCellIncX,        metrics.gmfCellIncY};
    }
    SelectObject(dc, previous);
    DeleteObject(gdiFont);
    return record;
}

void ReleaseFont2D(OpenGLFont2D* font) {
    if (!font) return;
    glDeleteLists(font->listBase, font->numGlyphs);
    delete font;
}

void ReleaseFont3D(OpenGLFont3D* font) {
    if (!font) return;
    delete[] font->glyphMetrics;
    glDeleteLists(font->listBase, font->numGlyphs);
    delete font;
}

void DrawFont2DText(const OpenGLFont2D* font, const std::string& text) {
    if (!font || !TextInGlyphRange(text, font->firstGlyph, font->numGlyphs)) return;
    glPushAttrib(GL_LIST_BIT);
    glListBase(font->listBase - font->firstGlyph);
    glCallLists(GLsizei(text.size()), GL_UNSIGNED_BYTE, text.data());
    glPopAttrib();
}

void DrawFont3DText(const OpenGLFont3D* font, const std::string& text) {
    if (!font || !TextInGlyphRange(text, font->firstGlyph, font->numGlyphs)) return;
    glPushAttrib(GL_LIST_BIT);
    GLint frontFace = GL_CCW;
    glGetIntegerv(GL_FRONT_FACE, &frontFace);
    glListBase(font->listBase - font->firstGlyph);
    glCallLists(GLsizei(text.size()), GL_UNSIGNED_BYTE, text.data());
    glFrontFace(GLenum(frontFace)); // the outline lists change the winding
    glPopAttrib();
}
