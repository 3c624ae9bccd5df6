#pragma once
// The lanes of the timeline: which channel each shows, and where a value sits
// on a lane's own scale.
#include <string>
#include <vector>

#include "analysis/AnalysisChannels.h"

namespace analysis {

constexpr int kLaneCount = 6;

// FREQ, TWAT, UO2SENS, MAP, THR and the block-learn byte, in that order.
constexpr const char* kDefaultLanes[kLaneCount] = {"FREQ", "TWAT", "UO2SENS",
                                                   "MAP",  "THR",  "LEARN"};

// The catalogue rows of the default lanes in the family (a mnemonic it lacks is
// left out); empty for a family without a decoder.
std::vector<int> DefaultLanes(int family);

// Where v sits between the scale's bottom (0) and top (1); outside for a value
// beyond the labels.
double ScalePosition(const ChannelScale& scale, double v);

} // namespace analysis
