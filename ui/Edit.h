#pragma once
// A text field (the standard edit control): amber on a dark ground, one line or
// several. Its text is UTF-8 to the program. Tab and Shift+Tab go to the form's next
// or previous field.
#include <cstddef>
#include <functional>
#include <string>

#include "ui/ChildControl.h"

namespace ui {

class Edit : public ChildControl {
  public:
    bool create(Form& form, int left, int top, int width, int height);
    // Several lines, Enter starting a new one, a scroll bar when they do not fit.
    bool createMultiline(Form& form, int left, int top, int width, int height);
    std::string text() const;
    void setText(const std::string& text);
    // At most this many UTF-16 characters can be typed.
    void setLimit(std::size_t characters);
    void focus();

    // The text changed (typed or set).
    std::function<void()> OnChange;

  protected:
    bool notified(UINT msg, WPARAM wp, LRESULT& result) override;

  private:
    bool make(Form& form, DWORD style, int left, int top, int width, int height);
};

} // namespace ui
