#pragma once
// UTF-8 <-> UTF-16 for the wide Win32 APIs (text, file names, the registry).
// Every string the program keeps is UTF-8; it is widened only at the call.
#include <string>

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
