#include "platform/UsbSerialAdapter_win32.h"

#include <windows.h>

#include <setupapi.h>

#include <cwctype>
#include <string>

#include "platform/TextConversion.h"

namespace {

// GUID_DEVCLASS_PORTS {4D36E978-E325-11CE-BFC1-08002BE10318}: the Ports (COM & LPT) class,
// spelled out so that no translation unit has to instantiate devguid.h's GUIDs.
const GUID kPortsClass = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}
};

constexpr DWORD kPortNameChars = 64;
constexpr DWORD kHardwareIdChars = 1024;

std::wstring upperWide(const std::string& ascii) {
    std::wstring wide;
    for (unsigned char c : ascii)
        wide += static_cast<wchar_t>(std::towupper(c));
    return wide;
}

std::wstring upperWide(const wchar_t* text) {
    std::wstring wide;
    for (; *text; ++text)
        wide += static_cast<wchar_t>(std::towupper(*text));
    return wide;
}

// The device's PortName, upper case; empty when it has none.
std::wstring portNameOf(HKEY key) {
    wchar_t name[kPortNameChars + 1] = {};
    DWORD type = 0;
    DWORD size = kPortNameChars * sizeof(wchar_t);
    if (RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::wstring();
    name[kPortNameChars] = L'\0';
    return upperWide(name);
}

int latencyOf(HKEY key) {
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key, L"LatencyTimer", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || value > 255)
        return kLatencyUnknown;
    return static_cast<int>(value);
}

// The first string of the device's hardware ids (a multi-string), UTF-8.
std::string hardwareIdOf(HDEVINFO set, SP_DEVINFO_DATA& device) {
    wchar_t ids[kHardwareIdChars + 2] = {};
    DWORD type = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_HARDWAREID, &type,
                                           reinterpret_cast<BYTE*>(ids),
                                           kHardwareIdChars * sizeof(wchar_t), nullptr) ||
        (type != REG_MULTI_SZ && type != REG_SZ))
        return std::string();
    ids[kHardwareIdChars] = L'\0';
    return Narrow(ids);
}

} // namespace

UsbAdapterFacts QueryUsbSerialPort(const std::string& portName) {
    UsbAdapterFacts facts;
    std::string name = portName;
    if (name.rfind("\\\\.\\", 0) == 0) name = name.substr(4);
    if (name.empty()) return facts;
    const std::wstring wanted = upperWide(name);

    HDEVINFO set = SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE) return facts;
    for (DWORD index = 0;; ++index) {
        SP_DEVINFO_DATA device = {};
        device.cbSize = sizeof device;
        if (!SetupDiEnumDeviceInfo(set, index, &device)) break; // ERROR_NO_MORE_ITEMS, or worse
        HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE || key == nullptr) continue;
        const bool ours = portNameOf(key) == wanted;
        if (ours) facts.latencyMs = latencyOf(key);
        RegCloseKey(key);
        if (!ours) continue;
        facts.hardwareId = hardwareIdOf(set, device);
        break;
    }
    SetupDiDestroyDeviceInfoList(set);
    return facts;
}
