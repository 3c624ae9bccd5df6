#include "settings/ReportSettings.h"

#include <algorithm>

#include "platform/Registry.h"
#include "settings/RegistryPaths.h"

std::string LoadWorkshopName(Registry& registry) {
    std::string name;
    const auto key = registry.openKey(regpath::kRoot, false);
    if (!key || !key->readString(regpath::kWorkshopValue, name)) return std::string();
    return name;
}

bool SaveWorkshopName(Registry& registry, const std::string& name) {
    std::string cut = name.substr(0, std::min(name.size(), kMaxWorkshopBytes));
    // Not inside a letter: drop a character's leading byte left without its tail.
    if (cut.size() < name.size())
        while (!cut.empty() && (static_cast<unsigned char>(name[cut.size()]) & 0xC0) == 0x80)
            cut.pop_back();
    const auto key = registry.openKey(regpath::kRoot, true);
    return key && key->writeString(regpath::kWorkshopValue, cut);
}
