#pragma once
// What the program asks of the machine besides the serial line and its registry key:
// the serial ports present and the user's number format.
#include <string>
#include <vector>

// Names of the serial ports present ("COM1", "COM12" ...), from
// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, or from the DOS device names when that key
// cannot be read. Empty when neither answers.
std::vector<std::string> ListSerialPortNames();

// The user's number format, as UTF-8; empty when the locale does not answer.
enum class LocaleItem {
    DecimalSeparator, // LOCALE_SDECIMAL
    ListSeparator,    // LOCALE_SLIST
};
std::string UserLocaleText(LocaleItem item);
