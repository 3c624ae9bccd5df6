#pragma once
// A control drawn by its form (no window of its own): pictures and labels.
// The form paints them over its background in the order they were added and
// routes the mouse to the topmost visible one under the pointer.
#include <windows.h>

#include <functional>

namespace ui {

class Form;

enum class MouseButton { Left, Right, Middle };
using MouseHandler = std::function<void(MouseButton button, int x, int y)>;

class Control {
  public:
    // Leaves its form: a control freed before the form (one held by pointer) is never touched
    // by the form again.
    virtual ~Control();
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    RECT bounds() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    void setBounds(int left, int top, int width, int height);

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // The mouse: a press captures it, so the release reaches this control
    // even when the pointer has left it or the control has hidden itself.
    MouseHandler OnMouseDown;
    MouseHandler OnMouseUp;
    HCURSOR cursor = nullptr; // null: the arrow

    Form* form() const { return form_; }
    // Draws the control at its bounds (dc is the form's back buffer).
    virtual void paint(HDC dc) = 0;
    // Only controls that take the mouse hide what is beneath them from it.
    virtual bool takesMouse() const { return OnMouseDown || OnMouseUp || cursor; }
    void invalidate();

  private:
    friend class Form;
    Form* form_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;

  protected:
    virtual void onEnabledChanged() { invalidate(); }
};

} // namespace ui
