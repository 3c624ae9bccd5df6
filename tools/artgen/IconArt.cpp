// The program's icon in the main window's look: a dark brushed plate with a sunken
// strip-chart well, its green grid and a red trace, and an amber readout bar. Written
// as assets/motoskop.ico with 16, 24, 32, 48 and 64 pixel images (32-bit with alpha).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/artgen/Artwork.h"
#include "tools/artgen/Look.h"

using namespace look;

namespace {

struct IconImage {
    int size;
    Canvas picture;
    std::vector<uint8_t> alpha; // one byte a pixel, top row first
};

// Coverage of a rounded square of the icon's size at pixel (x, y), 4 x 4 samples.
double RoundedCoverage(int size, double radius, int x, int y) {
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
            const double px = x + (sx + 0.5) / 4.0, py = y + (sy + 0.5) / 4.0;
            const double cx = std::fmin(std::fmax(px, radius), size - radius);
            const double cy = std::fmin(std::fmax(py, radius), size - radius);
            inside += (px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius;
        }
    }
    return inside / 16.0;
}

IconImage DrawIcon(int size) {
    const double s = size / 32.0; // drawn on a 32-pixel plan, scaled
    Canvas c(size, size);
    Panel(c, 0, 0, size, size, 7u + static_cast<uint32_t>(size));
    c.bevel(0, 0, size, size, kEdgeLight, kEdgeDark);

    // The chart well with its grid and a trace.
    const int wx = static_cast<int>(std::lround(3 * s)), wy = static_cast<int>(std::lround(4 * s));
    const int ww = size - 2 * wx, wh = static_cast<int>(std::lround(17 * s));
    Well(c, wx, wy, ww, wh, {2, 6, 4});
    if (size >= 24) Grid(c, wx, wy, ww, wh);
    const double width = std::fmax(1.0, 1.6 * s);
    double lastX = wx + 1, lastY = wy + wh * 0.7;
    for (int i = 1; i <= 24; ++i) {
        const double t = i / 24.0;
        const double x = wx + 1 + t * (ww - 3);
        const double y = wy + wh * (0.55 - 0.32 * std::sin(t * 6.2) * (0.4 + t * 0.6));
        c.line(lastX, lastY, x, y, kRed, width);
        lastX = x;
        lastY = y;
    }

    // The readout bar: an amber figure block beside green caption dashes.
    const int by = static_cast<int>(std::lround(24 * s)), bh = std::max(2, int(std::lround(4 * s)));
    Well(c, wx, by, ww, bh);
    const int figures = std::max(2, int(std::lround(9 * s)));
    c.fill(wx + ww - figures - 1, by + bh / 4, figures, std::max(1, bh / 2), kAmber);
    c.fill(wx + 1, by + bh / 4, std::max(2, ww - figures - 4), std::max(1, bh / 2), kGreen);

    IconImage image{size, c, std::vector<uint8_t>(static_cast<size_t>(size * size))};
    const double radius = std::fmax(2.0, 5.0 * s);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.alpha[static_cast<size_t>(y * size + x)] =
                static_cast<uint8_t>(std::lround(255 * RoundedCoverage(size, radius, x, y)));
    return image;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// One icon image as the .ico file stores it: BITMAPINFOHEADER with twice the height,
// bottom-up 32-bit BGRA rows, then the 1-bit AND mask (rows padded to 32 bits).
std::vector<uint8_t> IconEntry(const IconImage& image) {
    const int n = image.size;
    std::vector<uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(n));
    Put32(out, static_cast<uint32_t>(2 * n));
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i)
        Put32(out, 0);
    for (int y = n - 1; y >= 0; --y) {
        for (int x = 0; x < n; ++x) {
            const Rgb p = image.picture.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
            out.push_back(image.alpha[static_cast<size_t>(y * n + x)]);
        }
    }
    const int maskStride = ((n + 31) / 32) * 4;
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(maskStride), 0);
        for (int x = 0; x < n; ++x)
            if (image.alpha[static_cast<size_t>(y * n + x)] == 0)
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

void DrawProgramIcon(const std::string& dir) {
    std::vector<std::vector<uint8_t>> entries;
    std::vector<int> sizes = {16, 24, 32, 48, 64};
    for (int size : sizes)
        entries.push_back(IconEntry(DrawIcon(size)));

    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1); // icon
    Put16(out, static_cast<uint32_t>(sizes.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        out.push_back(static_cast<uint8_t>(sizes[i]));
        out.push_back(static_cast<uint8_t>(sizes[i]));
        out.push_back(0); // no palette
        out.push_back(0);
        Put16(out, 1);  // planes
        Put16(out, 32); // bits per pixel
        Put32(out, static_cast<uint32_t>(entries[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(entries[i].size());
    }
    for (const auto& entry : entries)
        out.insert(out.end(), entry.begin(), entry.end());

    const std::string path = dir + "/motoskop.ico";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size()) {
        if (f) std::fclose(f);
        throw std::runtime_error("cannot write " + path);
    }
    std::fclose(f);
}
