#include "ui/Control.h"

#include "ui/Form.h"

namespace ui {

Control::~Control() {
    if (form_) form_->forget(*this);
}

void Control::setBounds(int left, int top, int width, int height) {
    invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    invalidate();
}

void Control::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    invalidate();
}

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    onEnabledChanged();
}

void Control::invalidate() {
    if (form_ && width_ > 0 && height_ > 0) form_->invalidate(bounds());
}

} // namespace ui
