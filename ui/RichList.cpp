#include "ui/RichList.h"

#include <richedit.h>

#include "ui/Form.h"
#include "platform/TextConversion.h"

namespace ui {

bool RichList::create(Form& form, int left, int top, int width, int height) {
    static HMODULE library = LoadLibraryW(L"riched20.dll");
    const wchar_t* cls = library ? RICHEDIT_CLASSW : L"EDIT";
    hwnd_ = CreateWindowExW(
        0, cls, L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, left, top,
        width, height, form.handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return false;
    applyFormat();
    return true;
}

void RichList::setColours(COLORREF text, COLORREF background) {
    text_ = text;
    background_ = background;
    applyFormat();
}

void RichList::setFont(const FontSpec& font) {
    font_ = font;
    applyFormat();
}

void RichList::applyFormat() {
    if (!hwnd_) return;
    SendMessageW(hwnd_, EM_SETBKGNDCOLOR, 0, background_);
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR | CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_UNDERLINE;
    format.crTextColor = text_;
    format.dwEffects = (font_.bold ? CFE_BOLD : 0) | (font_.underline ? CFE_UNDERLINE : 0);
    // twips from a pixel height at 96 dpi
    const int pixels = font_.height < 0 ? -font_.height : font_.height;
    format.yHeight = pixels * 15;
    lstrcpynW(format.szFaceName, font_.name.c_str(), LF_FACESIZE);
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

void RichList::clear() {
    lines_.clear();
    if (hwnd_) SetWindowTextW(hwnd_, L"");
    applyFormat();
}

void RichList::addLine(const std::string& utf8) {
    std::wstring text = Widen(utf8);
    if (!lines_.empty()) text.insert(0, L"\r\n");
    lines_.push_back(utf8);
    if (!hwnd_) return;
    const LRESULT end = GetWindowTextLengthW(hwnd_);
    SendMessageW(hwnd_, EM_SETSEL, end, end);
    SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace ui
