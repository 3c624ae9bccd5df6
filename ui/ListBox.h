#pragma once
// A list of text lines (the standard list box): green on black. OnChoose runs
// with the line the user picks.
#include <functional>
#include <string>
#include <vector>

#include "ui/ChildControl.h"

namespace ui {

class ListBox : public ChildControl {
  public:
    bool create(Form& form, int left, int top, int width, int height);
    void setLines(const std::vector<std::string>& lines); // UTF-8

    std::function<void(std::size_t line)> OnChoose;

  private:
    bool notified(UINT msg, WPARAM wp, LRESULT& result) override;
    std::size_t count_ = 0;
};

} // namespace ui
