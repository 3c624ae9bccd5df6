#pragma once
// A row of equal frames cut from one strip picture (frame i at x = i * width).
#include <vector>

#include "ui/Bitmap.h"
#include "ui/Picture.h"

namespace ui {

class ImageList {
  public:
    // Replaces the frames; false when the strip holds no whole frame.
    bool loadStrip(const Bitmap& strip, int frameWidth, int frameHeight);
    int count() const { return static_cast<int>(frames_.size()); }
    int width() const { return width_; }
    int height() const { return height_; }
    // Empty outside 0..count()-1.
    Bitmap frame(int index) const;
    // Copies frame index into the picture (nothing changes outside the range).
    void getBitmap(int index, Picture& into) const;

  private:
    std::vector<Bitmap> frames_;
    int width_ = 0, height_ = 0;
};

} // namespace ui
