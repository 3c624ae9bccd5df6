#include "analysis/Lanes.h"

#include "ecu/DecodeTables.h"

namespace analysis {

std::vector<int> DefaultLanes(int family) {
    std::vector<int> lanes;
    if (!decode::familyLayout(family)) return lanes;
    for (const char* mnemonic : kDefaultLanes) {
        const int k = FindChannel(family, mnemonic);
        if (k >= 0) lanes.push_back(k);
    }
    return lanes;
}

double ScalePosition(const ChannelScale& scale, double v) {
    return (v - scale.bottom) / (scale.top - scale.bottom);
}

} // namespace analysis
