#include "ui/Picture.h"

#include <utility>

namespace ui {

void Picture::setPicture(const Bitmap& bitmap) {
    picture_ = bitmap;
    invalidate();
}

void Picture::setDimWhenDisabled(bool dim) {
    dimWhenDisabled_ = dim;
    invalidate();
}

void Picture::paint(HDC dc) {
    if (picture_.empty()) return;
    // Clip to the bounds: a larger bitmap never paints over its neighbours.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, left(), top(), left() + width(), top() + height());
    DrawBitmap(dc, picture_, left(), top(), dimWhenDisabled_ && !enabled());
    RestoreDC(dc, saved);
}

void MakePressButton(Picture& picture, std::function<void()> action) {
    picture.OnMouseDown = [&picture](MouseButton, int, int) { picture.setVisible(false); };
    picture.OnMouseUp = [&picture, action = std::move(action)](MouseButton, int, int) {
        picture.setVisible(true);
        if (action) action();
    };
}

} // namespace ui
