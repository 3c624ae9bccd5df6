#pragma once
// One channel against another over a span (MAP against FREQ, say), binned into
// the plot's pixels, each bin coloured by the mean of a third channel over the
// polls that fell in it, with the legend's range; the poll drawn at a bin gives
// the time under the pointer.
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/AnalysedRecording.h"
#include "analysis/SpanStatistics.h"

namespace analysis {

struct ScatterRequest {
    int xChannel = 0;
    int yChannel = 0;
    int colourChannel = -1; // -1: no colouring
    TimeSpan span;
    int width = 0; // bins across and up: the plot's pixels
    int height = 0;
    char decimalSymbol = '.'; // for the legend's and axes' texts
};

struct ScatterAxis {
    int channel = -1;
    double low = 0, high = 1; // the values at the edges: the scale, widened to the data
    std::string lowText, highText;
};

struct ScatterBin {
    uint32_t count = 0;
    float colour = 0;           // the colour channel's mean over the bin's polls
    std::size_t poll = kNoPoll; // the latest poll in the bin
};

struct ScatterPlot {
    int width = 0, height = 0;
    ScatterAxis x, y;
    ScatterAxis colour;           // the legend (channel -1: none)
    bool colourIsYesNo = false;   // the legend is two states: colour is the share of "Да"
    std::size_t points = 0;       // polls drawn
    std::vector<ScatterBin> bins; // row by row from the bottom: bins[row * width + column]

    const ScatterBin& at(int column, int row) const { return bins[row * width + column]; }
    // Where a bin's colour lies on the legend, 0 (low) .. 1 (high).
    double colourPosition(const ScatterBin& bin) const;
};

ScatterPlot BuildScatter(const AnalysedRecording& recording, const ScatterRequest& request);

// The poll drawn at or nearest to (column, row) within radius bins; kNoPoll when
// none is near.
std::size_t ScatterPollNear(const ScatterPlot& plot, int column, int row, int radius);

} // namespace analysis
