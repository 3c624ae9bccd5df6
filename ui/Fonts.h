#pragma once
// Fonts of the labels, created once per distinct look and kept for the run.
#include <windows.h>

#include <string>

namespace ui {

struct FontSpec {
    std::wstring name = L"MS Sans Serif";
    int height = -11; // negative: character height in pixels
    bool bold = false;
    bool underline = false;
};

HFONT GetFont(const FontSpec& look);

} // namespace ui
