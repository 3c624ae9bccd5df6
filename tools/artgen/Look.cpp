#include "tools/artgen/Look.h"

#include <algorithm>
#include <cmath>

#include "tools/artgen/TextMask.h"

namespace look {

const char* const kBold = "DejaVu-Sans-Bold";
const char* const kCondensedBold = "DejaVu-Sans-Condensed-Bold";
const char* const kSans = "DejaVu-Sans";

void Panel(Canvas& c, int x, int y, int w, int h, uint32_t seed) {
    c.verticalGradient(x, y, w, h, {40, 46, 53}, {20, 24, 28});
    c.brush(x, y, w, h, 3, seed);
}

void Well(Canvas& c, int x, int y, int w, int h, Rgb fill) {
    c.fill(x, y, w, h, fill);
    c.bevel(x - 1, y - 1, w + 2, h + 2, kEdgeDark, {70, 80, 90});
}

void Frame(Canvas& c, int x, int y, int w, int h) {
    c.bevel(x, y, w, h, kEdgeLight, kEdgeDark);
    c.bevel(x + 1, y + 1, w - 2, h - 2, kEdgeDark, {64, 72, 82});
}

void Screws(Canvas& c, int x, int y, int w, int h) {
    for (auto [sx, sy] : {
             std::pair{x + 5,     y + 5    },
             {x + w - 6, y + 5    },
             {x + 5,     y + h - 6},
             {x + w - 6, y + h - 6}
    }) {
        c.ellipse(sx + 0.5, sy + 0.5, 2.6, 2.6, {12, 14, 16});
        c.ellipse(sx + 0.2, sy + 0.2, 2.0, 2.0, {110, 118, 126});
        c.line(sx - 1.4, sy + 1.4, sx + 1.8, sy - 1.8, {30, 34, 38}, 0.9);
    }
}

void Grid(Canvas& c, int x, int y, int w, int h) {
    for (int i = 0; i <= 10; ++i) {
        const int gx = x + (w - 1) * i / 10;
        for (int j = y; j < y + h; ++j)
            c.blend(gx, j, {40, 90, 60}, i % 5 == 0 ? 0.8 : 0.45);
    }
    for (int i = 0; i <= 4; ++i) {
        const int gy = y + (h - 1) * i / 4;
        for (int j = x; j < x + w; ++j)
            c.blend(j, gy, {40, 90, 60}, i % 2 == 0 ? 0.8 : 0.45);
    }
}

void Button(Canvas& c, int x, int y, int w, int h, Face face, const Content& content) {
    switch (face) {
    case Face::Normal:
        c.verticalGradient(x, y, w, h, {74, 84, 96}, {30, 35, 41});
        c.bevel(x, y, w, h, {140, 152, 164}, {8, 10, 12});
        if (content) content(c, kGreen, x, y, w, h);
        break;
    case Face::Lit:
        // Pushed in and glowing: the face the user sees while holding the button.
        c.verticalGradient(x, y, w, h, {22, 52, 30}, {50, 96, 56});
        c.bevel(x, y, w, h, {8, 10, 12}, {200, 170, 60});
        if (content) content(c, kAmber, x + 1, y + 1, w, h);
        break;
    case Face::Pressed:
        c.verticalGradient(x, y, w, h, {22, 26, 30}, {40, 46, 52});
        c.bevel(x, y, w, h, {8, 10, 12}, {90, 100, 110});
        if (content) content(c, Mix(kGreen, {0, 0, 0}, 0.35), x + 1, y + 1, w, h);
        break;
    }
}

Canvas ButtonPicture(int w, int h, const Content& content) {
    Canvas picture(w, h);
    Button(picture, 0, 0, w, h, Face::Normal, content);
    return picture;
}

Canvas LitButtonPicture(int w, int h, const Content& content) {
    Canvas picture(w, h);
    Button(picture, 0, 0, w, h, Face::Lit, content);
    return picture;
}

void CentredText(Canvas& c, const std::string& text, const char* font, double px, int x, int y,
                 int w, int h, Rgb ink) {
    Mask mask = RenderText(text, font, px);
    int l, t, r, b;
    InkBounds(mask, l, t, r, b);
    const int inkW = r - l + 1, inkH = b - t + 1;
    c.paintMask(mask, x + (w - inkW) / 2 - l, y + (h - inkH) / 2 - t, ink);
}

Content Text(const std::string& text, const char* font, double px) {
    return [=](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        CentredText(c, text, font, px, x, y, w, h, ink);
    };
}

Content ArrowLeft() {
    return [](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const double cx = x + w / 2.0, cy = y + h / 2.0;
        c.triangle(cx - 4.5, cy, cx + 3.5, cy - 4, cx + 3.5, cy + 4, ink);
    };
}

Content ArrowRight() {
    return [](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const double cx = x + w / 2.0, cy = y + h / 2.0;
        c.triangle(cx + 4.5, cy, cx - 3.5, cy - 4, cx - 3.5, cy + 4, ink);
    };
}

Content Cross() {
    return [](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const double cx = x + w / 2.0, cy = y + h / 2.0, r = std::min(w, h) / 2.0 - 1.5;
        c.line(cx - r, cy - r, cx + r, cy + r, ink, 1.4);
        c.line(cx - r, cy + r, cx + r, cy - r, ink, 1.4);
    };
}

Content NextArrow() {
    return [](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const double cx = x + w / 2.0, cy = y + h / 2.0;
        c.triangle(cx - 2, cy - 5, cx - 2, cy + 5, cx + 5, cy, ink);
        c.fill(static_cast<int>(cx) - 6, static_cast<int>(cy) - 1, 4, 3, ink);
    };
}

Content ExitIcon() { // a power symbol
    return [](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const double cx = x + w / 2.0, cy = y + h / 2.0 + 0.5, r = std::min(w, h) / 2.0 - 3.5;
        c.ring(cx, cy, r, r, 1.5, ink);
        c.fill(static_cast<int>(cx) - 2, static_cast<int>(cy - r) - 2, 4, 4,
               c.at(static_cast<int>(cx), static_cast<int>(cy)));
        c.line(cx, cy - r - 1.5, cx, cy - 1, ink, 1.5);
    };
}

Content ResetIcon() { // an eraser-like cross in a ring
    return [](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const double cx = x + w / 2.0, cy = y + h / 2.0, r = std::min(w, h) / 2.0 - 3.0;
        c.ring(cx, cy, r, r, 1.3, ink);
        c.line(cx - r * 0.5, cy - r * 0.5, cx + r * 0.5, cy + r * 0.5, ink, 1.3);
        c.line(cx - r * 0.5, cy + r * 0.5, cx + r * 0.5, cy - r * 0.5, ink, 1.3);
    };
}

Content ReturnIcon() { // a hooked arrow pointing back
    return [](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const double cx = x + w / 2.0, cy = y + h / 2.0;
        c.line(cx + 4, cy - 4, cx + 4, cy + 1.5, ink, 1.4);
        c.line(cx + 4, cy + 1.5, cx - 2, cy + 1.5, ink, 1.4);
        c.triangle(cx - 6, cy + 1.5, cx - 2, cy - 2.5, cx - 2, cy + 5.5, ink);
    };
}

Content SaveIcon() { // a tick
    return [](Canvas& c, Rgb ink, int x, int y, int w, int h) {
        const double cx = x + w / 2.0, cy = y + h / 2.0;
        c.line(cx - 5, cy, cx - 1.5, cy + 3.5, ink, 1.8);
        c.line(cx - 1.5, cy + 3.5, cx + 5, cy - 4, ink, 1.8);
    };
}

} // namespace look
