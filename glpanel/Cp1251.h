#pragma once
// Windows-1251, the code page of the texts the panel fonts draw.
#include <cstdint>
#include <string>

// UTF-8 text to Windows-1251 bytes; a character the code page lacks becomes '?'.
std::string Utf8ToCp1251(const std::string& utf8);

// The Unicode character that Windows-1251 byte c stands for (0x98, unassigned, gives U+0098).
char16_t Cp1251ToUnicode(uint8_t c);
