#pragma once
// A horizontal slider (the common control) with ticks below. OnChange runs
// on every change of the position, by the user or by setPosition; setting the
// position it already has is no change.
#include <windows.h>

#include <functional>

namespace ui {

class Form;

class TrackBar {
  public:
    TrackBar() = default;
    ~TrackBar();
    TrackBar(const TrackBar&) = delete;
    TrackBar& operator=(const TrackBar&) = delete;

    bool create(Form& form, int left, int top, int width, int height, int min = 0, int max = 10);
    HWND handle() const { return hwnd_; }

    int position() const { return position_; }
    void setPosition(int position); // clamped to min..max
    int min() const { return min_; }
    int max() const { return max_; }
    bool enabled() const;
    void setEnabled(bool enabled);
    // The colour behind the slider (the form's picture colour there).
    void setBackgroundColour(COLORREF colour);

    std::function<void()> OnChange;

  private:
    void userMoved();

    Form* form_ = nullptr;
    int handlerId_ = 0;
    HWND hwnd_ = nullptr;
    int min_ = 0, max_ = 10, position_ = 0;
    HBRUSH brush_ = nullptr;
};

} // namespace ui
