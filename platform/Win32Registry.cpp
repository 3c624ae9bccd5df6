#include "platform/Win32Registry.h"

#include <windows.h>

#include <vector>

#include "platform/TextConversion.h"

namespace {

// "\MOTOSKOP\Com" -> "MOTOSKOP\Com": the API takes sub-key paths without the leading backslash.
std::string subKeyOf(const std::string& path) {
    size_t start = 0;
    while (start < path.size() && path[start] == '\\')
        ++start;
    return path.substr(start);
}

class Win32RegistryKey : public RegistryKey {
  public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}
    ~Win32RegistryKey() override { RegCloseKey(key_); }
    Win32RegistryKey(const Win32RegistryKey&) = delete;
    Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

    bool valueExists(const std::string& name) override {
        return RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    }

    bool readDword(const std::string& name, uint32_t& out) override {
        DWORD type = 0;
        DWORD data = 0;
        DWORD size = sizeof(data);
        if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                             &size) != ERROR_SUCCESS)
            return false;
        if (type != REG_DWORD || size != sizeof(data)) return false;
        out = data;
        return true;
    }

    bool writeDword(const std::string& name, uint32_t value) override {
        DWORD data = value;
        return RegSetValueExA(key_, name.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&data), sizeof(data)) == ERROR_SUCCESS;
    }

    bool readString(const std::string& name, std::string& out) override {
        const std::wstring wide = Widen(name);
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key_, wide.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            type != REG_SZ || size > kMaxStringBytes)
            return false;
        // Room for a terminator the value may lack.
        std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key_, wide.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS ||
            type != REG_SZ)
            return false;
        text[size / sizeof(wchar_t)] = L'\0';
        out = Narrow(text.data());
        return true;
    }

    bool writeString(const std::string& name, const std::string& text) override {
        const std::wstring wide = Widen(text);
        const DWORD size = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
        if (size > kMaxStringBytes) return false;
        return RegSetValueExW(key_, Widen(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(wide.c_str()), size) == ERROR_SUCCESS;
    }

  private:
    // A setting's text is short; a value beyond this is no setting of ours.
    static constexpr DWORD kMaxStringBytes = 64 * 1024;
    HKEY key_;
};

} // namespace

bool Win32Registry::keyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subKeyOf(path).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::unique_ptr<RegistryKey> Win32Registry::openKey(const std::string& path, bool create) {
    HKEY key = nullptr;
    const std::string sub = subKeyOf(path);
    LONG rc;
    if (create) {
        rc = RegCreateKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
        if (rc != ERROR_SUCCESS) // a read-only tree still opens for reading
            rc = RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ, &key);
    } else {
        rc = RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ | KEY_WRITE, &key);
        if (rc != ERROR_SUCCESS)
            rc = RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ, &key);
    }
    if (rc != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegistryKey>(key);
}
