#pragma once
// An RGB pixel buffer with the few drawing operations the artwork needs.
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

Rgb Mix(Rgb a, Rgb b, double t); // t = 0 gives a, 1 gives b

// An 8-bit coverage mask (text, shapes), 255 = fully covered.
struct Mask {
    int width = 0, height = 0;
    std::vector<uint8_t> alpha;
};

class Canvas {
  public:
    Canvas(int width, int height, Rgb fill = {});
    int width() const { return width_; }
    int height() const { return height_; }
    Rgb at(int x, int y) const;
    void set(int x, int y, Rgb c);
    void blend(int x, int y, Rgb c, double coverage);

    void fill(int x, int y, int w, int h, Rgb c);
    void verticalGradient(int x, int y, int w, int h, Rgb top, Rgb bottom);
    void frame(int x, int y, int w, int h, Rgb c);
    // Raised (light top-left) or sunken (dark top-left) edge of the given thickness.
    void bevel(int x, int y, int w, int h, Rgb light, Rgb dark, int thickness = 1);
    void line(double x0, double y0, double x1, double y1, Rgb c, double width = 1.0);
    void ellipse(double cx, double cy, double rx, double ry, Rgb c);
    void ring(double cx, double cy, double rx, double ry, double thickness, Rgb c);
    void triangle(double x0, double y0, double x1, double y1, double x2, double y2, Rgb c);
    // Fine vertical brushing, deterministic (same picture on every run).
    void brush(int x, int y, int w, int h, int strength, uint32_t seed);
    void paintMask(const Mask& mask, int x, int y, Rgb c);
    void paste(const Canvas& from, int x, int y);
    Canvas crop(int x, int y, int w, int h) const;

    const std::vector<uint8_t>& rgb() const { return pixels_; }

  private:
    int width_, height_;
    std::vector<uint8_t> pixels_;
};
