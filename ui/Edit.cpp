#include "ui/Edit.h"

#include <commctrl.h>

#include "platform/TextConversion.h"
#include "ui/Colours.h"

namespace ui {

namespace {

constexpr UINT_PTR kTabSubclass = 1;

// Tab moves between the form's fields: the forms are no dialogs, so nothing else does.
LRESULT CALLBACK TabToNextField(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_KEYDOWN && wp == VK_TAB) {
        const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        if (HWND next = GetNextDlgTabItem(GetParent(hwnd), hwnd, back ? TRUE : FALSE)) {
            SetFocus(next);
            SendMessageW(next, EM_SETSEL, 0, -1);
        }
        return 0;
    }
    if (msg == WM_CHAR && wp == L'\t') return 0;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, TabToNextField, kTabSubclass);
    return DefSubclassProc(hwnd, msg, wp, lp);
}

} // namespace

bool Edit::make(Form& form, DWORD style, int left, int top, int width, int height) {
    if (!createChild(form, L"EDIT", style | WS_TABSTOP, left, top, width, height, kLabelAmber,
                     RGB(10, 16, 12)))
        return false;
    SetWindowSubclass(handle(), TabToNextField, kTabSubclass, 0);
    return true;
}

bool Edit::create(Form& form, int left, int top, int width, int height) {
    return make(form, ES_AUTOHSCROLL, left, top, width, height);
}

bool Edit::createMultiline(Form& form, int left, int top, int width, int height) {
    return make(form, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, left, top, width,
                height);
}

std::string Edit::text() const {
    if (!handle()) return {};
    const int length = GetWindowTextLengthW(handle());
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(handle(), wide.data(), length + 1);
    wide.resize(static_cast<std::size_t>(length));
    return Narrow(wide);
}

void Edit::setText(const std::string& text) {
    if (handle()) SetWindowTextW(handle(), Widen(text).c_str());
}

void Edit::setLimit(std::size_t characters) {
    if (handle()) SendMessageW(handle(), EM_LIMITTEXT, characters, 0);
}

void Edit::focus() {
    if (handle()) SetFocus(handle());
}

bool Edit::notified(UINT msg, WPARAM wp, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wp) != EN_CHANGE) return false;
    if (OnChange) OnChange();
    result = 0;
    return true;
}

} // namespace ui
