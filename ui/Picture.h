#pragma once
// A picture laid over the form's face, usually a button. With
// MakePressButton it follows the pressed-picture convention: the press hides
// the picture so the lit face drawn in the background shows through, the
// release shows it again and then acts.
#include <functional>

#include "ui/Bitmap.h"
#include "ui/Control.h"

namespace ui {

class Picture : public Control {
  public:
    const Bitmap& picture() const { return picture_; }
    // Shows bitmap (an empty one clears the picture); the bounds stay.
    void setPicture(const Bitmap& bitmap);
    void clear() { setPicture(Bitmap()); }
    // Draw the picture darkened while disabled (the main window's buttons).
    void setDimWhenDisabled(bool dim);

    void paint(HDC dc) override;

  private:
    Bitmap picture_;
    bool dimWhenDisabled_ = false;
};

// Press hides, release shows and then runs action (may be empty).
void MakePressButton(Picture& picture, std::function<void()> action);

} // namespace ui
