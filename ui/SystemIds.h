#pragma once
// Numbers of the system the windows use by name.
#include <windows.h>

namespace ui {

// System cursors, for LoadCursorW(nullptr, ...).
inline const wchar_t* const kArrowCursor = MAKEINTRESOURCEW(32512);   // IDC_ARROW
inline const wchar_t* const kSizeAllCursor = MAKEINTRESOURCEW(32646); // IDC_SIZEALL

// WM_SYSCOMMAND: move the window as if its caption were being dragged
// (SC_MOVE with the caption hit code in the low bits).
constexpr WPARAM kDragMoveCommand = 0xF012;

} // namespace ui
