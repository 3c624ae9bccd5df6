#pragma once
// A list of text lines (the standard list box) in the skin's colours: green on
// black in "MS Sans Serif". OnChoose runs with the line the user picks.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ui {

class Form;

class ListBox {
  public:
    ListBox() = default;
    ~ListBox();
    ListBox(const ListBox&) = delete;
    ListBox& operator=(const ListBox&) = delete;

    bool create(Form& form, int left, int top, int width, int height);
    HWND handle() const { return hwnd_; }

    void setLines(const std::vector<std::string>& lines); // UTF-8
    void setColours(COLORREF text, COLORREF background);

    std::function<void(std::size_t line)> OnChoose;

  private:
    Form* form_ = nullptr;
    int handlerId_ = 0;
    HWND hwnd_ = nullptr;
    HBRUSH brush_ = nullptr;
    COLORREF text_ = 0, background_ = 0;
    std::size_t count_ = 0;
};

} // namespace ui
