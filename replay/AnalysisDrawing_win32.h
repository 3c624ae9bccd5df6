#pragma once
// How the analysis window's views draw: its colours, the sunken wells the other
// windows' pictures show, and text in the program's font, all into the form's
// back buffer.
#include <windows.h>

#include <string>

#include "ui/Colours.h"

namespace analysisdraw {

constexpr COLORREF kWellColour = RGB(4, 8, 6);
constexpr COLORREF kPanelColour = RGB(30, 35, 41);
constexpr COLORREF kToolbarColour = RGB(38, 44, 51);
constexpr COLORREF kGridColour = RGB(28, 44, 34);
constexpr COLORREF kAxisColour = RGB(10, 16, 12);
constexpr COLORREF kFirstColour = ui::kLabelGreen;
constexpr COLORREF kSecondColour = RGB(240, 120, 200);
constexpr COLORREF kCursorColour = RGB(230, 230, 230);
constexpr COLORREF kSpanColour = RGB(30, 52, 80);
constexpr COLORREF kLitColour = RGB(120, 70, 20);
constexpr COLORREF kEventColour = RGB(90, 110, 130);
constexpr COLORREF kMarkerColour = ui::kLabelAmber;

void Fill(HDC dc, const RECT& r, COLORREF colour);
// A sunken well, as the other windows' pictures draw them.
void Well(HDC dc, const RECT& r, COLORREF fill = kWellColour);
void Line(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour, int style = PS_SOLID);
void Text(HDC dc, int x, int y, const std::string& utf8, COLORREF colour, bool bold = false,
          UINT align = TA_LEFT);
void TextIn(HDC dc, const RECT& r, const std::string& utf8, COLORREF colour, UINT format,
            bool bold = false);
int TextWidth(HDC dc, const std::string& utf8, bool bold = false);
// A third of the colour: a band set at some polls of a column, not all.
COLORREF Dim(COLORREF c);
// A well with a text in its middle: what a view shows instead of its chart.
void Message(HDC dc, const RECT& area, const std::string& text);

} // namespace analysisdraw
