#pragma once
// The instrument-panel look shared by every window: dark brushed panels,
// sunken wells, raised frames, button faces in their normal and lit states.
#include <functional>
#include <string>

#include "tools/artgen/Canvas.h"

namespace look {

constexpr Rgb kGreen{146, 218, 149};
constexpr Rgb kAmber{253, 208, 55};
constexpr Rgb kRed{230, 60, 48};
constexpr Rgb kEdgeLight{96, 108, 120};
constexpr Rgb kEdgeDark{5, 7, 9};
constexpr Rgb kWell{4, 8, 6};

extern const char* const kBold;          // DejaVu Sans Bold
extern const char* const kCondensedBold; // DejaVu Sans Condensed Bold
extern const char* const kSans;

void Panel(Canvas& c, int x, int y, int w, int h, uint32_t seed);
void Well(Canvas& c, int x, int y, int w, int h, Rgb fill = kWell);
void Frame(Canvas& c, int x, int y, int w, int h);
void Screws(Canvas& c, int x, int y, int w, int h);
void Grid(Canvas& c, int x, int y, int w, int h);

enum class Face { Normal, Lit, Pressed };
// Draws the content (text or icon) in ink inside the face.
using Content = std::function<void(Canvas&, Rgb ink, int x, int y, int w, int h)>;
void Button(Canvas& c, int x, int y, int w, int h, Face face, const Content& content);
Canvas ButtonPicture(int w, int h, const Content& content);
// The same button lit: the second face of a picture that swaps its face.
Canvas LitButtonPicture(int w, int h, const Content& content);

void CentredText(Canvas& c, const std::string& text, const char* font, double px, int x, int y,
                 int w, int h, Rgb ink);
Content Text(const std::string& text, const char* font = kBold, double px = 10.0);

// Icons.
Content ArrowLeft();
Content ArrowRight();
Content Cross();
Content NextArrow();
Content ExitIcon();
Content ResetIcon();
Content ReturnIcon();
Content SaveIcon();

} // namespace look
