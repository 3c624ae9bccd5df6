#pragma once
// The fuel-trim map: for every block-learn cell the ECU reported, the mean
// block-learn byte (LEARN), the mean integrator (INT) and the number of polls,
// counting only polls that qualify: a good reply with the family's closed-loop
// flag set and the coolant at kWarmCoolantC or above (docs/analysis.md gives the
// rule and its sources). A cell with fewer than kFewestCellPolls polls is shown
// dimmed. Above 128 the ECU adds fuel, below it takes fuel away.
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/AnalysedRecording.h"
#include "analysis/SpanStatistics.h"

namespace analysis {

// The lowest coolant temperature any of the sources gives for the closed loop
// of a GM/Delco ECU (the Daewoo Lanos service data: about 20 °C in the cold).
constexpr double kWarmCoolantC = 20;
// About 5 s of polls at the link's 8 a second: longer than the slowest
// block-learn step (4.1 s with the integrator at 128), so the cell's learn
// value had the time to move at least once.
constexpr uint32_t kFewestCellPolls = 40;
constexpr double kNeutralLearn = 128;
constexpr double kFullShadeSteps = 24; // LEARN 128 ± 24 (about ±19 % fuel) is the full colour

// Where the map's inputs are among the family's channels (-1: the family has none).
struct FuelTrimChannels {
    int cell = -1;       // BLMCELL
    int learn = -1;      // LEARN
    int integrator = -1; // INT
    int coolant = -1;    // TWAT
    int closedLoop = -1; // JOOP (families 1..3), LOOP (family 4)
    bool complete() const {
        return cell >= 0 && learn >= 0 && integrator >= 0 && coolant >= 0 && closedLoop >= 0;
    }
};
FuelTrimChannels FuelTrimChannelsOf(int family);

// A good poll in closed loop with a warm engine and a cell number.
bool PollQualifies(const AnalysedRecording& recording, const FuelTrimChannels& channels,
                   std::size_t poll);

struct FuelTrimCell {
    int cell = 0;
    uint32_t polls = 0;
    double meanLearn = 0;
    double meanIntegrator = 0;
    bool dim = false;               // fewer than kFewestCellPolls polls
    std::vector<uint32_t> pollList; // the polls counted, ascending: to light on the timeline
};

struct FuelTrimMap {
    bool available = false;          // the family has all the channels the map needs
    std::vector<FuelTrimCell> cells; // by cell number; cells without qualifying polls left out
    std::size_t goodPolls = 0;       // good polls in the span
    std::size_t qualifyingPolls = 0; // of them, counted in the map

    const FuelTrimCell* find(int cell) const;
};

FuelTrimMap BuildFuelTrimMap(const AnalysedRecording& recording, const TimeSpan& span);

// -1 (LEARN 128 − kFullShadeSteps or below: fuel taken away) .. 0 (128) .. +1 (fuel added).
double FuelTrimShade(double meanLearn);

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};
// Red for fuel added, blue for fuel taken away, white at 128; a dim cell is
// drawn halfway to grey.
Rgb FuelTrimColour(double shade, bool dim);

} // namespace analysis
