#pragma once
// A read-only, borderless rich-text box used as a list of text lines.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/Fonts.h"

namespace ui {

class Form;

class RichList {
  public:
    bool create(Form& form, int left, int top, int width, int height);
    HWND handle() const { return hwnd_; }

    void setColours(COLORREF text, COLORREF background);
    void setFont(const FontSpec& font);

    void clear();
    void addLine(const std::string& utf8);
    const std::vector<std::string>& lines() const { return lines_; }

  private:
    void applyFormat();

    HWND hwnd_ = nullptr;
    COLORREF text_ = RGB(146, 218, 149);
    COLORREF background_ = RGB(0, 0, 0);
    FontSpec font_;
    std::vector<std::string> lines_;
};

} // namespace ui
