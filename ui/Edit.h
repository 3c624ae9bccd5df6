#pragma once
// A one-line text field (the standard edit control) in the skin's colours:
// amber on a dark ground in "MS Sans Serif". Its text is UTF-8 to the program.
#include <windows.h>

#include <cstddef>
#include <string>

namespace ui {

class Form;

class Edit {
  public:
    Edit() = default;
    ~Edit();
    Edit(const Edit&) = delete;
    Edit& operator=(const Edit&) = delete;

    bool create(Form& form, int left, int top, int width, int height);
    HWND handle() const { return hwnd_; }

    std::string text() const;
    void setText(const std::string& text);
    // At most this many UTF-16 characters can be typed.
    void setLimit(std::size_t characters);
    void setEnabled(bool enabled);
    void setColours(COLORREF text, COLORREF background);

  private:
    Form* form_ = nullptr;
    int handlerId_ = 0;
    HWND hwnd_ = nullptr;
    HBRUSH brush_ = nullptr;
    COLORREF text_ = 0, background_ = 0;
};

} // namespace ui
