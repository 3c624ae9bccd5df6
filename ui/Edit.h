#pragma once
// A one-line text field (the standard edit control): amber on a dark ground. Its
// text is UTF-8 to the program.
#include <cstddef>
#include <string>

#include "ui/ChildControl.h"

namespace ui {

class Edit : public ChildControl {
  public:
    bool create(Form& form, int left, int top, int width, int height);
    std::string text() const;
    void setText(const std::string& text);
    // At most this many UTF-16 characters can be typed.
    void setLimit(std::size_t characters);
};

} // namespace ui
