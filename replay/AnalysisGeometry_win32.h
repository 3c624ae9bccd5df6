#pragma once
// Where the analysis window puts its parts for a client area of a size: the
// top strip of buttons and the message line, the plot (lanes, scatter, map or
// checks) with the strip of events above it and the time axis under it, the
// cursor's values on the right and the span's figures and the anchors at the
// bottom.
#include <windows.h>

#include <algorithm>
#include <cmath>

#include "analysis/Lanes.h"
#include "analysis/TimeView.h"

constexpr int kAnalysisToolbarHeight = 34;
constexpr int kAnalysisMessageHeight = 18;
constexpr int kAnalysisLaneMargin = 118; // the lane's name and scale, left of the plot
constexpr int kAnalysisSideWidth = 210;  // the cursor's values, right of the plot
constexpr int kAnalysisEventStrip = 18;
constexpr int kAnalysisAxisHeight = 22;
constexpr int kAnalysisBottomHeight = 150;

struct AnalysisGeometry {
    RECT plot{};   // the lanes, scatter, map or checks
    RECT events{}; // the strip of events above the lanes
    RECT axis{};   // the time axis under the lanes
    RECT side{};   // the cursor's values
    RECT bottom{}; // the span's figures and the anchors
    int laneHeight = 0;

    // The whole well of the plot: from the events' strip to the axis's bottom.
    RECT well() const { return RECT{plot.left, events.top, plot.right, axis.bottom}; }
};

inline AnalysisGeometry AnalysisLayout(int width, int height) {
    AnalysisGeometry g;
    const int top = kAnalysisToolbarHeight + kAnalysisMessageHeight + 4;
    const int bottomTop = height - kAnalysisBottomHeight - 8;
    g.events = {kAnalysisLaneMargin, top, width - kAnalysisSideWidth - 12,
                top + kAnalysisEventStrip};
    g.axis = {kAnalysisLaneMargin, bottomTop - kAnalysisAxisHeight - 6, g.events.right,
              bottomTop - 6};
    g.plot = {kAnalysisLaneMargin, g.events.bottom + 2, g.events.right, g.axis.top - 2};
    g.side = {g.plot.right + 8, top, width - 8, g.axis.bottom};
    g.bottom = {8, bottomTop, width - 8, height - 8};
    g.laneHeight = std::max(1, static_cast<int>(g.plot.bottom - g.plot.top) / analysis::kLaneCount);
    return g;
}

// Where a moment lies in the plot (client x), and the moment at a client x.
inline int XOfTime(const AnalysisGeometry& g, const analysis::TimeView& view, double timeMs) {
    return g.plot.left + static_cast<int>(std::floor(view.columnOf(timeMs)));
}
inline double TimeAtX(const AnalysisGeometry& g, const analysis::TimeView& view, int x) {
    return view.timeOf(x - g.plot.left + 0.5);
}
