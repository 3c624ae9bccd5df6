#include "ui/ChildControl.h"

#include "ui/Fonts.h"
#include "ui/Form.h"

namespace ui {

ChildControl::~ChildControl() {
    if (form_) form_->removeChildHandler(handlerId_);
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    if (brush_) DeleteObject(brush_);
}

bool ChildControl::createChild(Form& form, const wchar_t* windowClass, DWORD style, int left,
                               int top, int width, int height, COLORREF text, COLORREF background) {
    hwnd_ = CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, left, top, width,
                            height, form.handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return false;
    SendMessageW(hwnd_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(GetFont(FontSpec{L"MS Sans Serif", -11})), FALSE);
    setColours(text, background);
    form_ = &form;
    // A list box asks with WM_CTLCOLORLISTBOX, an edit with WM_CTLCOLOREDIT, or
    // WM_CTLCOLORSTATIC while disabled.
    handlerId_ = form.addChildHandler([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        if (reinterpret_cast<HWND>(lp) != hwnd_) return false;
        if (msg == WM_CTLCOLORLISTBOX || msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) {
            SetTextColor(reinterpret_cast<HDC>(wp), text_);
            SetBkColor(reinterpret_cast<HDC>(wp), background_);
            result = reinterpret_cast<LRESULT>(brush_);
            return true;
        }
        return notified(msg, wp, result);
    });
    return true;
}

void ChildControl::setColours(COLORREF text, COLORREF background) {
    text_ = text;
    background_ = background;
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(background);
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void ChildControl::setEnabled(bool enabled) {
    if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

} // namespace ui
