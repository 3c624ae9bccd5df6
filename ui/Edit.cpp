#include "ui/Edit.h"

#include "platform/TextConversion.h"
#include "ui/Colours.h"

namespace ui {

bool Edit::create(Form& form, int left, int top, int width, int height) {
    return createChild(form, L"EDIT", ES_AUTOHSCROLL, left, top, width, height, kLabelAmber,
                       RGB(10, 16, 12));
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

} // namespace ui
