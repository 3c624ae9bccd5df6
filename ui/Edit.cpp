#include "ui/Edit.h"

#include "platform/TextConversion.h"
#include "ui/Colours.h"
#include "ui/Fonts.h"
#include "ui/Form.h"

namespace ui {

Edit::~Edit() {
    if (form_) form_->removeChildHandler(handlerId_);
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    if (brush_) DeleteObject(brush_);
}

bool Edit::create(Form& form, int left, int top, int width, int height) {
    hwnd_ =
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, left, top, width,
                        height, form.handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return false;
    SendMessageW(hwnd_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(GetFont(FontSpec{L"MS Sans Serif", -11})), FALSE);
    setColours(kLabelAmber, RGB(10, 16, 12));
    form_ = &form;
    // A disabled edit asks with WM_CTLCOLORSTATIC, an enabled one with WM_CTLCOLOREDIT.
    handlerId_ = form.addChildHandler([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        if ((msg != WM_CTLCOLOREDIT && msg != WM_CTLCOLORSTATIC) ||
            reinterpret_cast<HWND>(lp) != hwnd_)
            return false;
        SetTextColor(reinterpret_cast<HDC>(wp), text_);
        SetBkColor(reinterpret_cast<HDC>(wp), background_);
        result = reinterpret_cast<LRESULT>(brush_);
        return true;
    });
    return true;
}

std::string Edit::text() const {
    if (!hwnd_) return {};
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd_, wide.data(), length + 1);
    wide.resize(static_cast<std::size_t>(length));
    return Narrow(wide);
}

void Edit::setText(const std::string& text) {
    if (hwnd_) SetWindowTextW(hwnd_, Widen(text).c_str());
}

void Edit::setLimit(std::size_t characters) {
    if (hwnd_) SendMessageW(hwnd_, EM_LIMITTEXT, characters, 0);
}

void Edit::setEnabled(bool enabled) {
    if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void Edit::setColours(COLORREF text, COLORREF background) {
    text_ = text;
    background_ = background;
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(background);
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

} // namespace ui
