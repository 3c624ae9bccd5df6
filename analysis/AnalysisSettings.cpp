#include "analysis/AnalysisSettings.h"

#include <string>

#include "platform/Registry.h"
#include "analysis/Lanes.h"
#include "settings/RegistryPaths.h"

namespace analysis {

namespace {

constexpr const char* kWidthValue = "Width";
constexpr const char* kHeightValue = "Height";

// "Lane1".."Lane6".
std::string LaneValue(int lane) {
    return "Lane" + std::to_string(lane + 1);
}

} // namespace

AnalysisSettings LoadAnalysisSettings(Registry& registry, int family, int channelCount) {
    AnalysisSettings settings;
    settings.lanes = DefaultLanes(family);
    // A family lacking a default mnemonic still gets six lanes.
    for (int row = 0; static_cast<int>(settings.lanes.size()) < kLaneCount && row < channelCount;
         ++row)
        settings.lanes.push_back(row);
    const auto key = registry.openKey(regpath::analysisKey(family), false);
    if (!key) return settings;
    uint32_t v = 0;
    if (key->readDword(kWidthValue, v) && v >= kMinWindowWidth && v <= kMaxWindowSide)
        settings.width = static_cast<int>(v);
    if (key->readDword(kHeightValue, v) && v >= kMinWindowHeight && v <= kMaxWindowSide)
        settings.height = static_cast<int>(v);
    for (int lane = 0; lane < static_cast<int>(settings.lanes.size()); ++lane)
        if (key->readDword(LaneValue(lane), v) && v < static_cast<uint32_t>(channelCount))
            settings.lanes[lane] = static_cast<int>(v);
    return settings;
}

bool SaveAnalysisSettings(Registry& registry, int family, const AnalysisSettings& settings) {
    const auto key = registry.openKey(regpath::analysisKey(family), true);
    if (!key) return false;
    bool ok = key->writeDword(kWidthValue, static_cast<uint32_t>(settings.width));
    ok = key->writeDword(kHeightValue, static_cast<uint32_t>(settings.height)) && ok;
    for (int lane = 0; lane < static_cast<int>(settings.lanes.size()); ++lane)
        ok = key->writeDword(LaneValue(lane), static_cast<uint32_t>(settings.lanes[lane])) && ok;
    return ok;
}

} // namespace analysis
