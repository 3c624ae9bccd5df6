#include "ui/TrackBar.h"

#include <commctrl.h>

#include "ui/Form.h"

namespace ui {

TrackBar::~TrackBar() {
    if (form_) form_->removeChildHandler(handlerId_);
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    if (brush_) DeleteObject(brush_);
}

bool TrackBar::create(Form& form, int left, int top, int width, int height, int min, int max) {
    static bool initialised = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)initialised;
    min_ = min;
    max_ = max < min ? min : max;
    position_ = min_;
    hwnd_ = CreateWindowExW(
        0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS,
        left, top, width, height, form.handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return false;
    SendMessageW(hwnd_, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(hwnd_, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(hwnd_, TBM_SETTICFREQ, 1, 0);
    SendMessageW(hwnd_, TBM_SETPOS, TRUE, position_);
    form_ = &form;
    handlerId_ = form.addChildHandler([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        if (msg == WM_HSCROLL && reinterpret_cast<HWND>(lp) == hwnd_) {
            userMoved();
            result = 0;
            return true;
        }
        if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lp) == hwnd_ && brush_) {
            result = reinterpret_cast<LRESULT>(brush_);
            return true;
        }
        (void)wp;
        return false;
    });
    return true;
}

void TrackBar::setPosition(int position) {
    if (position < min_) position = min_;
    if (position > max_) position = max_;
    if (position == position_) return;
    position_ = position;
    if (hwnd_) SendMessageW(hwnd_, TBM_SETPOS, TRUE, position_);
    if (OnChange) OnChange();
}

void TrackBar::userMoved() {
    const int now = static_cast<int>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0));
    if (now == position_) return;
    position_ = now;
    if (OnChange) OnChange();
}

bool TrackBar::enabled() const {
    return hwnd_ && IsWindowEnabled(hwnd_);
}

void TrackBar::setEnabled(bool enabled) {
    if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void TrackBar::setBackgroundColour(COLORREF colour) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(colour);
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

} // namespace ui
