#include "ui/ListBox.h"

#include "platform/TextConversion.h"
#include "ui/Colours.h"
#include "ui/Fonts.h"
#include "ui/Form.h"

namespace ui {

ListBox::~ListBox() {
    if (form_) form_->removeChildHandler(handlerId_);
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    if (brush_) DeleteObject(brush_);
}

bool ListBox::create(Form& form, int left, int top, int width, int height) {
    hwnd_ = CreateWindowExW(
        0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        left, top, width, height, form.handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return false;
    SendMessageW(hwnd_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(GetFont(FontSpec{L"MS Sans Serif", -11})), FALSE);
    setColours(kLabelGreen, RGB(0, 0, 0));
    form_ = &form;
    handlerId_ = form.addChildHandler([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        if (reinterpret_cast<HWND>(lp) != hwnd_) return false;
        if (msg == WM_CTLCOLORLISTBOX) {
            SetTextColor(reinterpret_cast<HDC>(wp), text_);
            SetBkColor(reinterpret_cast<HDC>(wp), background_);
            result = reinterpret_cast<LRESULT>(brush_);
            return true;
        }
        if (msg == WM_COMMAND && HIWORD(wp) == LBN_SELCHANGE) {
            const LRESULT at = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
            if (at >= 0 && static_cast<std::size_t>(at) < count_ && OnChoose)
                OnChoose(static_cast<std::size_t>(at));
            result = 0;
            return true;
        }
        return false;
    });
    return true;
}

void ListBox::setLines(const std::vector<std::string>& lines) {
    if (!hwnd_) return;
    SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : lines)
        SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
    count_ = lines.size();
}

void ListBox::setColours(COLORREF text, COLORREF background) {
    text_ = text;
    background_ = background;
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(background);
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

} // namespace ui
