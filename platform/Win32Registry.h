#pragma once
// Registry over the Win32 registry API, rooted at HKEY_CURRENT_USER.
#include "platform/Registry.h"

class Win32Registry : public Registry {
  public:
    bool keyExists(const std::string& path) override;
    std::unique_ptr<RegistryKey> openKey(const std::string& path, bool create) override;
};
