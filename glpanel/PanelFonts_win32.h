#pragma once
// Display-list fonts of the OpenGL panel: bitmap glyphs for 2D text at the
// raster position and outline glyphs for 3D text in model space. The glyph of
// list (first + k) is the Windows-1251 character first + k on any system locale.
#include <windows.h>

#include <string>

#include "glpanel/TextRange.h"

// What a panel font property holds: the attributes of a GDI font.
struct TPanelFont {
    std::wstring name = L"Arial";
    int height = -9;
    BYTE charset = ANSI_CHARSET;
    bool bold = true;
    bool italic = false;
};

// The lists are built with the font selected into `dc`; a current GL context is needed.
// nullptr when no lists can be reserved. The caller owns the record.
OpenGLFont2D* BuildFont2D(HDC dc, const TPanelFont* font, int32_t first, int32_t count);
OpenGLFont3D* BuildFont3D(HDC dc, const TPanelFont* font, int32_t first, int32_t count,
                          float deviation, float extrusion, int32_t format);

void ReleaseFont2D(OpenGLFont2D* font);
void ReleaseFont3D(OpenGLFont3D* font);

// Nothing is drawn for a missing record, an empty text or a character outside the range.
void DrawFont2DText(const OpenGLFont2D* font, const std::string& text);
void DrawFont3DText(const OpenGLFont3D* font, const std::string& text);
