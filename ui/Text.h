#pragma once
// UTF-8 <-> UTF-16 for the wide Win32 text APIs.
#include <string>

namespace ui {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);

} // namespace ui
