#pragma once
// What the analysis window remembers per ECU family in the registry
// (regpath::analysisKey): its size and the channel of each lane. A value that
// is missing or makes no sense for the family leaves the default.
#include <vector>

class Registry;

namespace analysis {

constexpr int kDefaultWindowWidth = 1340;
constexpr int kDefaultWindowHeight = 720;
constexpr int kMinWindowWidth = 960; // the top strip's buttons and the window's own
constexpr int kMinWindowHeight = 560;
constexpr int kMaxWindowSide = 16384;

struct AnalysisSettings {
    int width = kDefaultWindowWidth;
    int height = kDefaultWindowHeight;
    std::vector<int> lanes; // catalogue rows, kLaneCount of them
};

// The family's settings, its default lanes where nothing (sensible) is stored.
AnalysisSettings LoadAnalysisSettings(Registry& registry, int family, int channelCount);
// False when the registry cannot be written.
bool SaveAnalysisSettings(Registry& registry, int family, const AnalysisSettings& settings);

} // namespace analysis
