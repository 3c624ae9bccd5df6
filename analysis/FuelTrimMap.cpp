#include "analysis/FuelTrimMap.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace analysis {
namespace {

struct FuelTrimNames {
    int family;
    const char* cell;
    const char* learn;
    const char* integrator;
    const char* coolant;
    const char* closedLoop;
};

// clang-format off
const FuelTrimNames kNames[] = {
    // family  cell       learn    integrator  coolant  closed-loop flag
    {1,        "BLMCELL", "LEARN", "INT",      "TWAT",  "JOOP"},
    {2,        "BLMCELL", "LEARN", "INT",      "TWAT",  "JOOP"},
    {3,        "BLMCELL", "LEARN", "INT",      "TWAT",  "JOOP"},
    {4,        "BLMCELL", "LEARN", "INT",      "TWAT",  "LOOP"},
};
// clang-format on

constexpr Rgb kNeutral{255, 255, 255};
constexpr Rgb kAdding{215, 48, 39};   // fuel added: the mixture ran lean
constexpr Rgb kRemoving{49, 54, 149}; // fuel taken away: it ran rich
constexpr Rgb kDimGrey{160, 160, 160};

uint8_t mix(uint8_t a, uint8_t b, double t) {
    return static_cast<uint8_t>(std::lround(a + (b - a) * t));
}

Rgb mix(Rgb a, Rgb b, double t) {
    return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t)};
}

} // namespace

FuelTrimChannels FuelTrimChannelsOf(int family) {
    FuelTrimChannels c;
    for (const FuelTrimNames& n : kNames) {
        if (n.family != family) continue;
        c.cell = FindChannel(family, n.cell);
        c.learn = FindChannel(family, n.learn);
        c.integrator = FindChannel(family, n.integrator);
        c.coolant = FindChannel(family, n.coolant);
        c.closedLoop = FindChannel(family, n.closedLoop);
    }
    return c;
}

bool PollQualifies(const AnalysedRecording& r, const FuelTrimChannels& c, std::size_t poll) {
    if (!c.complete() || !r.good(poll)) return false;
    const float cell = r.value(c.cell, poll);
    return r.value(c.closedLoop, poll) == 1.0f && r.value(c.coolant, poll) >= kWarmCoolantC &&
           !std::isnan(cell) && !std::isnan(r.value(c.learn, poll)) &&
           !std::isnan(r.value(c.integrator, poll));
}

const FuelTrimCell* FuelTrimMap::find(int cell) const {
    for (const FuelTrimCell& c : cells)
        if (c.cell == cell) return &c;
    return nullptr;
}

FuelTrimMap BuildFuelTrimMap(const AnalysedRecording& r, const TimeSpan& span) {
    FuelTrimMap map;
    const FuelTrimChannels c = FuelTrimChannelsOf(r.family());
    map.available = c.complete();
    if (!map.available) return map;
    struct Sums {
        double learn = 0, integrator = 0;
        std::vector<uint32_t> polls;
    };
    std::map<int, Sums> cells;
    const PollRange polls = r.pollsBetween(span.fromMs, span.toMs);
    for (std::size_t p = polls.begin; p < polls.end; ++p) {
        if (!r.good(p)) continue;
        ++map.goodPolls;
        if (!PollQualifies(r, c, p)) continue;
        ++map.qualifyingPolls;
        Sums& s = cells[static_cast<int>(r.value(c.cell, p))];
        s.learn += r.value(c.learn, p);
        s.integrator += r.value(c.integrator, p);
        s.polls.push_back(static_cast<uint32_t>(p));
    }
    for (auto& [number, s] : cells) {
        FuelTrimCell cell;
        cell.cell = number;
        cell.polls = static_cast<uint32_t>(s.polls.size());
        cell.meanLearn = s.learn / cell.polls;
        cell.meanIntegrator = s.integrator / cell.polls;
        cell.dim = cell.polls < kFewestCellPolls;
        cell.pollList = std::move(s.polls);
        map.cells.push_back(std::move(cell));
    }
    return map;
}

double FuelTrimShade(double meanLearn) {
    return std::clamp((meanLearn - kNeutralLearn) / kFullShadeSteps, -1.0, 1.0);
}

Rgb FuelTrimColour(double shade, bool dim) {
    shade = std::clamp(shade, -1.0, 1.0);
    const Rgb full = shade >= 0 ? mix(kNeutral, kAdding, shade) : mix(kNeutral, kRemoving, -shade);
    return dim ? mix(full, kDimGrey, 0.5) : full;
}

} // namespace analysis
