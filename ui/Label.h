#pragma once
// A transparent text label. By default it sizes itself to its text; a
// right-aligned self-sizing label keeps its right edge. With a fixed width
// the text is aligned inside that width.
#include <string>

#include "ui/Control.h"
#include "ui/Fonts.h"

namespace ui {

enum class Align { Left, Centre, Right };

class Label : public Control {
  public:
    Label();
    // Left-anchored (or, for Align::Right without a fixed width, right-anchored).
    void place(int left, int top);
    void placeRightEdge(int right, int top);
    void setFixedWidth(int width); // 0: size to the text

    const std::string& text() const { return text_; } // UTF-8
    void setText(const std::string& utf8);
    COLORREF colour() const { return colour_; }
    void setColour(COLORREF colour);
    const FontSpec& font() const { return font_; }
    void setFont(const FontSpec& font);
    void setBold(bool bold);
    void setUnderline(bool underline);
    void setFontHeight(int height);
    Align alignment() const { return align_; }
    void setAlignment(Align align);

    void paint(HDC dc) override;
    bool takesMouse() const override { return false; }

  private:
    void relayout();

    std::string text_;
    std::wstring wide_;
    COLORREF colour_ = RGB(0, 0, 0);
    FontSpec font_;
    Align align_ = Align::Left;
    int anchorLeft_ = 0, anchorRight_ = 0, anchorTop_ = 0;
    bool rightAnchored_ = false;
    int fixedWidth_ = 0;
};

} // namespace ui
