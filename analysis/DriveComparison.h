#pragma once
// Two drives of the same ECU family side by side: the second laid over the first,
// aligned at their starts or at a chosen moment of each; span figures of both
// with their difference, and the fuel-trim maps of both with the difference per
// cell. A recording of another family is refused with a message.
#include <string>
#include <vector>

#include "analysis/AnalysedRecording.h"
#include "analysis/FuelTrimMap.h"
#include "analysis/SpanStatistics.h"
#include "analysis/TimeView.h"

namespace analysis {

// Empty when second can be compared with first; else what to tell the user.
std::string ComparisonProblem(const AnalysedRecording& first, const AnalysedRecording& second);

// A moment of the second drive plus shiftMs is the same moment on the first's axis.
struct Alignment {
    double shiftMs = 0;
    double toFirst(double secondMs) const { return secondMs + shiftMs; }
    double toSecond(double firstMs) const { return firstMs - shiftMs; }
    TimeSpan secondSpan(const TimeSpan& first) const {
        return {toSecond(first.fromMs), toSecond(first.toMs)};
    }
    // The view of the first's axis in the second's own time.
    TimeView secondView(const TimeView& first) const { return first.shifted(-shiftMs); }
};

// The first polls of both together.
Alignment AlignAtStart(const AnalysedRecording& first, const AnalysedRecording& second);
// A chosen moment of each together (markers or events picked from their lists).
Alignment AlignAt(double firstMs, double secondMs);
// Marker a of the first with marker b of the second; false when one is missing.
bool AlignAtMarkers(const AnalysedRecording& first, int a, const AnalysedRecording& second, int b,
                    Alignment& out);

// The figures of a channel over the same span of both, and second minus first.
struct StatsSideBySide {
    ChannelStats first, second;
    double minDiff = 0, maxDiff = 0, meanDiff = 0, deviationDiff = 0;
    double yesShareDiff = 0;
    double durationDiff = 0;
    long long goodPollsDiff = 0, failedPollsDiff = 0;
};
std::vector<StatsSideBySide> CompareSpanStats(const AnalysedRecording& first,
                                              const AnalysedRecording& second,
                                              const Alignment& alignment,
                                              const std::vector<int>& channels,
                                              const TimeSpan& firstSpan);

// One cell of both maps; a cell only one of them has keeps the other's side empty.
struct CellSideBySide {
    int cell = 0;
    bool inFirst = false, inSecond = false;
    uint32_t firstPolls = 0, secondPolls = 0;
    double firstLearn = 0, secondLearn = 0, learnDiff = 0; // second minus first
    double firstIntegrator = 0, secondIntegrator = 0, integratorDiff = 0;
    bool dim = false; // either side has too few polls (or none)
};
std::vector<CellSideBySide> CompareFuelTrim(const FuelTrimMap& first, const FuelTrimMap& second);

} // namespace analysis
