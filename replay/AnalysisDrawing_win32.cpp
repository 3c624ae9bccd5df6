#include "replay/AnalysisDrawing_win32.h"

#include "platform/TextConversion.h"
#include "ui/Fonts.h"

namespace analysisdraw {

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void Well(HDC dc, const RECT& r, COLORREF fill) {
    Fill(dc, r, fill);
    HPEN dark = CreatePen(PS_SOLID, 1, RGB(5, 7, 9)),
         light = CreatePen(PS_SOLID, 1, RGB(70, 80, 90));
    HGDIOBJ old = SelectObject(dc, dark);
    MoveToEx(dc, r.left - 1, r.bottom, nullptr);
    LineTo(dc, r.left - 1, r.top - 1);
    LineTo(dc, r.right, r.top - 1);
    SelectObject(dc, light);
    LineTo(dc, r.right, r.bottom);
    LineTo(dc, r.left - 1, r.bottom);
    SelectObject(dc, old);
    DeleteObject(dark);
    DeleteObject(light);
}

void Line(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour, int style) {
    HPEN pen = CreatePen(style, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    if (style != PS_SOLID) SetBkMode(dc, TRANSPARENT);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void Text(HDC dc, int x, int y, const std::string& utf8, COLORREF colour, bool bold, UINT align) {
    ui::FontSpec font;
    font.bold = bold;
    HGDIOBJ old = SelectObject(dc, ui::GetFont(font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    SetTextAlign(dc, align | TA_TOP);
    const std::wstring wide = Widen(utf8);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SelectObject(dc, old);
}

void TextIn(HDC dc, const RECT& r, const std::string& utf8, COLORREF colour, UINT format,
            bool bold) {
    ui::FontSpec font;
    font.bold = bold;
    HGDIOBJ old = SelectObject(dc, ui::GetFont(font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    std::wstring wide = Widen(utf8);
    RECT box = r;
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box, format);
    SelectObject(dc, old);
}

int TextWidth(HDC dc, const std::string& utf8, bool bold) {
    ui::FontSpec font;
    font.bold = bold;
    HGDIOBJ old = SelectObject(dc, ui::GetFont(font));
    const std::wstring wide = Widen(utf8);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    return size.cx;
}

COLORREF Dim(COLORREF c) {
    return RGB(GetRValue(c) / 3, GetGValue(c) / 3, GetBValue(c) / 3);
}

void Message(HDC dc, const RECT& area, const std::string& text) {
    Well(dc, area);
    TextIn(dc, area, text, ui::kLabelAmber, DT_CENTER | DT_VCENTER | DT_WORDBREAK);
}

} // namespace analysisdraw
