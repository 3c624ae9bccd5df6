#pragma once
// What a lane draws of one channel over a view: for every pixel column the
// smallest and largest value of all its good polls (so no spike is lost at any
// zoom), the first and last of them, and whether the line may come in from the
// good poll before the column: never across a failed poll or a link stop. When
// the view holds so few polls that each has kPixelsPerPoint columns, every good
// poll is also given as a point. The cost grows with the columns, not the polls.
#include <cstdint>
#include <vector>

#include "analysis/AnalysedRecording.h"
#include "analysis/TimeView.h"

namespace analysis {

constexpr double kPixelsPerPoint = 3;

struct EnvelopeColumn {
    PollRange polls;            // the polls that fall in the column
    bool hasData = false;       // at least one of them has a value
    bool gap = false;           // a failed poll or a link stop within the column
    bool joinsPrevious = false; // a line joins `previous` to `first` (no gap between)
    float min = 0, max = 0;     // the envelope of the column's values
    float first = 0, last = 0;  // the column's first and last value
    float previous = 0;         // the last value before the column
    uint8_t anyBits = 0;        // bit channels: bits set at some poll of the column
    uint8_t allBits = 0;        //               bits set at every poll of it
};

struct LanePoint {
    double column = 0; // where the poll falls, in columns from the left edge
    float value = 0;
    std::size_t poll = 0;
    bool joinsPrevious = false; // a line joins it to the good poll before
};

struct LaneEnvelope {
    int channel = 0;
    std::vector<EnvelopeColumn> columns;
    bool points = false; // few polls in view: draw pointList
    std::vector<LanePoint> pointList;
};

// The poll boundaries of the view's columns, shared by all lanes: columns + 1 entries.
std::vector<std::size_t> ColumnBoundaries(const AnalysedRecording& recording, const TimeView& view);

LaneEnvelope DecimateLane(const AnalysedRecording& recording, int channel, const TimeView& view,
                          const std::vector<std::size_t>& boundaries);
std::vector<LaneEnvelope> DecimateLanes(const AnalysedRecording& recording,
                                        const std::vector<int>& channels, const TimeView& view);

// 1 for each column that holds one of the polls (ascending), 0 elsewhere: a
// fuel-trim cell's polls lit on the timeline.
std::vector<uint8_t> HighlightColumns(const AnalysedRecording& recording,
                                      const std::vector<uint32_t>& polls, const TimeView& view);

} // namespace analysis
