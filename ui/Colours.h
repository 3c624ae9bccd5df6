#pragma once
// The colours of the texts on every window: light green labels and amber figures.
#include <windows.h>

namespace ui {

constexpr COLORREF kLabelGreen = RGB(146, 218, 149);
constexpr COLORREF kLabelAmber = RGB(253, 208, 55);

} // namespace ui
