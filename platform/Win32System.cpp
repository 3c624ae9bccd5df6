#include "platform/Win32System.h"

#include <windows.h>

#include "platform/TextConversion.h"

namespace {

std::vector<std::string> FromSerialComm() {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        wchar_t valueName[256];
        DWORD nameLength = 256;
        wchar_t data[64] = {};
        DWORD dataSize = sizeof(data) - sizeof(wchar_t); // room for a terminator
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, i, valueName, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataSize);
        if (result == ERROR_MORE_DATA) continue; // not a port name we could use
        if (result != ERROR_SUCCESS) break;
        if (type == REG_SZ) names.push_back(Narrow(data));
    }
    RegCloseKey(key);
    return names;
}

std::vector<std::string> FromDosDevices() {
    std::vector<std::string> names;
    std::wstring buffer(65536, L'\0');
    const DWORD length = QueryDosDeviceW(nullptr, &buffer[0], DWORD(buffer.size()));
    for (size_t at = 0; at < length && buffer[at] != L'\0';) {
        const std::wstring name(&buffer[at]);
        if (name.size() > 3 && _wcsnicmp(name.c_str(), L"COM", 3) == 0)
            names.push_back(Narrow(name));
        at += name.size() + 1;
    }
    return names;
}

} // namespace

std::vector<std::string> ListSerialPortNames() {
    std::vector<std::string> names = FromSerialComm();
    if (names.empty()) names = FromDosDevices();
    return names;
}

std::string UserLocaleText(LocaleItem item) {
    const LCTYPE what = item == LocaleItem::ListSeparator ? LOCALE_SLIST : LOCALE_SDECIMAL;
    wchar_t text[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, what, text, 8) == 0) return {};
    return Narrow(text);
}
