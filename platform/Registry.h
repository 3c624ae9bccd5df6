#pragma once
// The per-user settings tree (HKEY_CURRENT_USER). Paths are absolute from the
// root and written with a leading backslash, e.g. "\MOTOSKOP\Com". Values are
// REG_DWORD numbers or REG_SZ texts (UTF-8 here, UTF-16 in the registry).
//
// Every settings operation takes its own accessor from a Registry, opens the
// keys it needs and lets the accessor go before it returns: a RegistryKey
// closes its key when destroyed, so no key stays open between user actions.
#include <cstdint>
#include <memory>
#include <string>

class RegistryKey {
  public:
    virtual ~RegistryKey() = default;
    virtual bool valueExists(const std::string& name) = 0;
    // True only for an existing REG_DWORD value; anything else is "absent".
    virtual bool readDword(const std::string& name, uint32_t& out) = 0;
    // False when the value cannot be written (read-only registry).
    virtual bool writeDword(const std::string& name, uint32_t value) = 0;
    // True only for an existing REG_SZ value; its text in UTF-8. Anything else is "absent".
    virtual bool readString(const std::string& name, std::string& out) = 0;
    // Writes text (UTF-8) as REG_SZ; false when it cannot be written.
    virtual bool writeString(const std::string& name, const std::string& text) = 0;
};

class Registry {
  public:
    virtual ~Registry() = default;
    virtual bool keyExists(const std::string& path) = 0;
    // Opens an existing key (create == false) or opens-or-creates it. Null when it fails.
    virtual std::unique_ptr<RegistryKey> openKey(const std::string& path, bool create) = 0;
};
