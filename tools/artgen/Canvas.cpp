#include "tools/artgen/Canvas.h"

#include <algorithm>
#include <cmath>

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto m = [t](uint8_t x, uint8_t y) {
        return static_cast<uint8_t>(std::lround(x + (static_cast<int>(y) - x) * t));
    };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 3) {
    this->fill(0, 0, width, height, fill);
}

Rgb Canvas::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
    const uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 3];
    return {p[0], p[1], p[2]};
}

void Canvas::set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 3];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
}

void Canvas::blend(int x, int y, Rgb c, double coverage) {
    if (coverage <= 0) return;
    set(x, y, Mix(at(x, y), c, coverage));
}

void Canvas::fill(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            set(i, j, c);
}

void Canvas::verticalGradient(int x, int y, int w, int h, Rgb top, Rgb bottom) {
    for (int j = 0; j < h; ++j) {
        Rgb c = Mix(top, bottom, h > 1 ? static_cast<double>(j) / (h - 1) : 0.0);
        for (int i = 0; i < w; ++i)
            set(x + i, y + j, c);
    }
}

void Canvas::frame(int x, int y, int w, int h, Rgb c) {
    fill(x, y, w, 1, c);
    fill(x, y + h - 1, w, 1, c);
    fill(x, y, 1, h, c);
    fill(x + w - 1, y, 1, h, c);
}

void Canvas::bevel(int x, int y, int w, int h, Rgb light, Rgb dark, int thickness) {
    for (int k = 0; k < thickness; ++k) {
        fill(x + k, y + k, w - 2 * k, 1, light);
        fill(x + k, y + k, 1, h - 2 * k, light);
        fill(x + k, y + h - 1 - k, w - 2 * k, 1, dark);
        fill(x + w - 1 - k, y + k, 1, h - 2 * k, dark);
    }
}

namespace {

// Coverage of a pixel by a shape, sampled 4 x 4.
template <typename Inside> double Coverage(int x, int y, Inside inside) {
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
            if (inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) ++hits;
    return hits / 16.0;
}

} // namespace

void Canvas::line(double x0, double y0, double x1, double y1, Rgb c, double width) {
    const double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    const int minX = static_cast<int>(std::floor(std::min(x0, x1) - width));
    const int maxX = static_cast<int>(std::ceil(std::max(x0, x1) + width));
    const int minY = static_cast<int>(std::floor(std::min(y0, y1) - width));
    const int maxY = static_cast<int>(std::ceil(std::max(y0, y1) + width));
    auto inside = [&](double px, double py) {
        double t = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
        return ex * ex + ey * ey <= width * width / 4.0;
    };
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x)
            blend(x, y, c, Coverage(x, y, inside));
}

void Canvas::ellipse(double cx, double cy, double rx, double ry, Rgb c) {
    auto inside = [&](double px, double py) {
        const double u = (px - cx) / rx, v = (py - cy) / ry;
        return u * u + v * v <= 1.0;
    };
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y)
        for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x)
            blend(x, y, c, Coverage(x, y, inside));
}

void Canvas::ring(double cx, double cy, double rx, double ry, double thickness, Rgb c) {
    auto inside = [&](double px, double py) {
        const double u = (px - cx) / rx, v = (py - cy) / ry;
        const double iu = (px - cx) / (rx - thickness), iv = (py - cy) / (ry - thickness);
        return u * u + v * v <= 1.0 && iu * iu + iv * iv > 1.0;
    };
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y)
        for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x)
            blend(x, y, c, Coverage(x, y, inside));
}

void Canvas::triangle(double x0, double y0, double x1, double y1, double x2, double y2, Rgb c) {
    auto edge = [](double ax, double ay, double bx, double by, double px, double py) {
        return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    };
    auto inside = [&](double px, double py) {
        const double a = edge(x0, y0, x1, y1, px, py), b = edge(x1, y1, x2, y2, px, py),
                     d = edge(x2, y2, x0, y0, px, py);
        return (a >= 0 && b >= 0 && d >= 0) || (a <= 0 && b <= 0 && d <= 0);
    };
    const int minX = static_cast<int>(std::floor(std::min({x0, x1, x2})));
    const int maxX = static_cast<int>(std::ceil(std::max({x0, x1, x2})));
    const int minY = static_cast<int>(std::floor(std::min({y0, y1, y2})));
    const int maxY = static_cast<int>(std::ceil(std::max({y0, y1, y2})));
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x)
            blend(x, y, c, Coverage(x, y, inside));
}

void Canvas::brush(int x, int y, int w, int h, int strength, uint32_t seed) {
    uint32_t state = seed ? seed : 1;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    std::vector<int> column(static_cast<size_t>(w));
    for (int& v : column)
        v = static_cast<int>(next() % (2 * strength + 1)) - strength;
    for (int j = y; j < y + h; ++j)
        for (int i = 0; i < w; ++i) {
            const int d = column[static_cast<size_t>(i)] + static_cast<int>(next() % 3) - 1;
            Rgb c = at(x + i, j);
            auto add = [d](uint8_t v) { return static_cast<uint8_t>(std::clamp(v + d, 0, 255)); };
            set(x + i, j, {add(c.r), add(c.g), add(c.b)});
        }
}

void Canvas::paintMask(const Mask& mask, int x, int y, Rgb c) {
    for (int j = 0; j < mask.height; ++j)
        for (int i = 0; i < mask.width; ++i)
            blend(x + i, y + j, c, mask.alpha[static_cast<size_t>(j) * mask.width + i] / 255.0);
}

void Canvas::paste(const Canvas& from, int x, int y) {
    for (int j = 0; j < from.height(); ++j)
        for (int i = 0; i < from.width(); ++i)
            set(x + i, y + j, from.at(i, j));
}

Canvas Canvas::crop(int x, int y, int w, int h) const {
    Canvas out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            out.set(i, j, at(x + i, y + j));
    return out;
}
