#include "ui/ListBox.h"

#include "platform/TextConversion.h"
#include "ui/Colours.h"

namespace ui {

bool ListBox::create(Form& form, int left, int top, int width, int height) {
    return createChild(form, L"LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, left, top,
                       width, height, kLabelGreen, RGB(0, 0, 0));
}

void ListBox::setLines(const std::vector<std::string>& lines) {
    if (!handle()) return;
    SendMessageW(handle(), LB_RESETCONTENT, 0, 0);
    for (const std::string& line : lines)
        SendMessageW(handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
    count_ = lines.size();
}

bool ListBox::notified(UINT msg, WPARAM wp, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wp) != LBN_SELCHANGE) return false;
    const LRESULT at = SendMessageW(handle(), LB_GETCURSEL, 0, 0);
    if (at >= 0 && static_cast<std::size_t>(at) < count_ && OnChoose)
        OnChoose(static_cast<std::size_t>(at));
    result = 0;
    return true;
}

} // namespace ui
