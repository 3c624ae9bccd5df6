#include "ui/Label.h"

#include "platform/TextConversion.h"

namespace ui {

Label::Label() {
    relayout();
}

void Label::place(int left, int top) {
    anchorLeft_ = left;
    anchorTop_ = top;
    rightAnchored_ = false;
    relayout();
}

void Label::placeRightEdge(int right, int top) {
    anchorRight_ = right;
    anchorTop_ = top;
    rightAnchored_ = true;
    relayout();
}

void Label::setFixedWidth(int width) {
    if (rightAnchored_) anchorLeft_ = anchorRight_ - width;
    fixedWidth_ = width;
    rightAnchored_ = false;
    relayout();
}

void Label::setText(const std::string& utf8) {
    if (utf8 == text_) return;
    text_ = utf8;
    wide_ = Widen(utf8);
    relayout();
}

void Label::setColour(COLORREF colour) {
    if (colour == colour_) return;
    colour_ = colour;
    invalidate();
}

void Label::setFont(const FontSpec& font) {
    font_ = font;
    relayout();
}

void Label::setBold(bool bold) {
    font_.bold = bold;
    relayout();
}

void Label::setUnderline(bool underline) {
    font_.underline = underline;
    relayout();
}

void Label::setFontHeight(int height) {
    font_.height = height;
    relayout();
}

void Label::setAlignment(Align align) {
    align_ = align;
    relayout();
}

void Label::relayout() {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, GetFont(font_));
    SIZE size{0, 0};
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    if (!wide_.empty())
        GetTextExtentPoint32W(screen, wide_.c_str(), static_cast<int>(wide_.size()), &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    const int h = metrics.tmHeight > 0 ? metrics.tmHeight : 13;
    if (fixedWidth_ > 0)
        setBounds(anchorLeft_, anchorTop_, fixedWidth_, h);
    else if (rightAnchored_ && align_ == Align::Right)
        setBounds(anchorRight_ - size.cx, anchorTop_, size.cx, h);
    else
        setBounds(rightAnchored_ ? anchorRight_ - size.cx : anchorLeft_, anchorTop_, size.cx, h);
}

void Label::paint(HDC dc) {
    if (wide_.empty()) return;
    HGDIOBJ old = SelectObject(dc, GetFont(font_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour_);
    RECT r = bounds();
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_TOP | DT_NOCLIP;
    if (align_ == Align::Centre) format |= DT_CENTER;
    if (align_ == Align::Right) format |= DT_RIGHT;
    DrawTextW(dc, wide_.c_str(), static_cast<int>(wide_.size()), &r, format);
    SelectObject(dc, old);
}

} // namespace ui
