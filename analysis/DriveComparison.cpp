#include "analysis/DriveComparison.h"

#include <map>

#include "analysis/AnalysisTexts.h"

namespace analysis {

std::string ComparisonProblem(const AnalysedRecording& first, const AnalysedRecording& second) {
    if (first.family() == second.family()) return std::string();
    return analysistext::kSecondDriveFamily + std::to_string(second.family()) +
           analysistext::kFirstDriveFamily + std::to_string(first.family()) +
           analysistext::kOnlySameFamily;
}

Alignment AlignAtStart(const AnalysedRecording& first, const AnalysedRecording& second) {
    return {double(first.firstMs()) - double(second.firstMs())};
}

Alignment AlignAt(double firstMs, double secondMs) {
    return {firstMs - secondMs};
}

bool AlignAtMarkers(const AnalysedRecording& first, int a, const AnalysedRecording& second, int b,
                    Alignment& out) {
    auto timeOf = [](const AnalysedRecording& r, int number, double& t) {
        for (const MarkerInfo& m : r.markers())
            if (m.number == number) {
                t = m.timeMs;
                return true;
            }
        return false;
    };
    double ta = 0, tb = 0;
    if (!timeOf(first, a, ta) || !timeOf(second, b, tb)) return false;
    out = AlignAt(ta, tb);
    return true;
}

std::vector<StatsSideBySide> CompareSpanStats(const AnalysedRecording& first,
                                              const AnalysedRecording& second,
                                              const Alignment& alignment,
                                              const std::vector<int>& channels,
                                              const TimeSpan& firstSpan) {
    std::vector<StatsSideBySide> rows;
    if (!ComparisonProblem(first, second).empty()) return rows;
    const TimeSpan secondSpan = alignment.secondSpan(firstSpan);
    for (int c : channels) {
        StatsSideBySide s;
        s.first = SpanStats(first, c, firstSpan);
        s.second = SpanStats(second, c, secondSpan);
        s.minDiff = s.second.min - s.first.min;
        s.maxDiff = s.second.max - s.first.max;
        s.meanDiff = s.second.mean - s.first.mean;
        s.deviationDiff = s.second.deviation - s.first.deviation;
        s.yesShareDiff = s.second.yesShare - s.first.yesShare;
        s.durationDiff = s.second.durationMs - s.first.durationMs;
        s.goodPollsDiff = (long long)s.second.goodPolls - (long long)s.first.goodPolls;
        s.failedPollsDiff = (long long)s.second.failedPolls - (long long)s.first.failedPolls;
        rows.push_back(s);
    }
    return rows;
}

std::vector<CellSideBySide> CompareFuelTrim(const FuelTrimMap& first, const FuelTrimMap& second) {
    std::map<int, CellSideBySide> cells;
    for (const FuelTrimCell& c : first.cells) {
        CellSideBySide& s = cells[c.cell];
        s.cell = c.cell;
        s.inFirst = true;
        s.firstPolls = c.polls;
        s.firstLearn = c.meanLearn;
        s.firstIntegrator = c.meanIntegrator;
    }
    for (const FuelTrimCell& c : second.cells) {
        CellSideBySide& s = cells[c.cell];
        s.cell = c.cell;
        s.inSecond = true;
        s.secondPolls = c.polls;
        s.secondLearn = c.meanLearn;
        s.secondIntegrator = c.meanIntegrator;
    }
    std::vector<CellSideBySide> rows;
    for (auto& [number, s] : cells) {
        if (s.inFirst && s.inSecond) {
            s.learnDiff = s.secondLearn - s.firstLearn;
            s.integratorDiff = s.secondIntegrator - s.firstIntegrator;
        }
        s.dim = s.firstPolls < kFewestCellPolls || s.secondPolls < kFewestCellPolls;
        rows.push_back(s);
    }
    return rows;
}

} // namespace analysis
