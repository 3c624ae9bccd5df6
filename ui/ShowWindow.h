#pragma once
// Opening a secondary window: the one left over from the last opening (if any)
// goes, a new one is built, and its owner takes no input until it closes.
#include <utility>

#include "ui/Form.h"

namespace ui {

// `current` is the window's process-wide pointer (Form4..Form7); the window is
// constructed from `args` followed by the owner.
template <class Window, class... Args>
Window* ShowSecondaryWindow(Window*& current, HWND owner, Args&&... args) {
    delete current;
    current = new Window(std::forward<Args>(args)..., owner);
    Form::SetWindowEnabled(owner, false);
    return current;
}

} // namespace ui
