#include "ui/ImageList.h"

namespace ui {

bool ImageList::loadStrip(const Bitmap& strip, int frameWidth, int frameHeight) {
    frames_.clear();
    width_ = frameWidth;
    height_ = frameHeight;
    if (strip.empty() || frameWidth <= 0 || frameHeight <= 0 || strip.height() < frameHeight)
        return false;
    for (int x = 0; x + frameWidth <= strip.width(); x += frameWidth)
        frames_.push_back(Bitmap::Crop(strip, x, 0, frameWidth, frameHeight));
    return !frames_.empty();
}

Bitmap ImageList::frame(int index) const {
    if (index < 0 || index >= count()) return {};
    return frames_[static_cast<size_t>(index)];
}

void ImageList::getBitmap(int index, Picture& into) const {
    if (index < 0 || index >= count()) return;
    into.setPicture(frames_[static_cast<size_t>(index)]);
}

} // namespace ui
