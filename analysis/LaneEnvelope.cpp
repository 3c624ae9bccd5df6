#include "analysis/LaneEnvelope.h"

#include <algorithm>
#include <cmath>

namespace analysis {

std::vector<std::size_t> ColumnBoundaries(const AnalysedRecording& recording,
                                          const TimeView& view) {
    std::vector<std::size_t> b;
    if (!view.valid()) return b;
    b.reserve(view.columns + 1);
    const std::vector<uint32_t>& times = recording.times();
    auto from = times.begin();
    for (int c = 0; c < view.columns; ++c) {
        const double t = view.timeOf(c);
        from = std::lower_bound(from, times.end(), t, [](uint32_t x, double ms) { return x < ms; });
        b.push_back(static_cast<std::size_t>(from - times.begin()));
    }
    // The last column holds endMs itself.
    from = std::upper_bound(from, times.end(), view.endMs,
                            [](double ms, uint32_t x) { return ms < x; });
    b.push_back(static_cast<std::size_t>(from - times.begin()));
    return b;
}

LaneEnvelope DecimateLane(const AnalysedRecording& r, int channel, const TimeView& view,
                          const std::vector<std::size_t>& boundaries) {
    LaneEnvelope lane;
    lane.channel = channel;
    if (!view.valid() || boundaries.size() != std::size_t(view.columns) + 1) return lane;
    lane.columns.resize(view.columns);
    for (int c = 0; c < view.columns; ++c) {
        EnvelopeColumn& col = lane.columns[c];
        col.polls = {boundaries[c], boundaries[c + 1]};
        if (col.polls.size() == 0) continue;
        const Envelope e = r.envelope(channel, col.polls.begin, col.polls.end);
        col.gap = r.gapIn(col.polls.begin, col.polls.end);
        if (e.empty) continue;
        col.hasData = true;
        col.min = e.min;
        col.max = e.max;
        col.anyBits = e.anyBits;
        col.allBits = e.allBits;
        const std::size_t first = r.goodFrom(col.polls.begin);
        const std::size_t last = r.goodBefore(col.polls.end);
        col.first = r.value(channel, first);
        col.last = r.value(channel, last);
        const std::size_t before = r.goodBefore(col.polls.begin);
        if (before != kNoPoll && !r.gapBetween(before, first)) {
            col.joinsPrevious = true;
            col.previous = r.value(channel, before);
        }
    }
    // Few enough polls for points.
    const PollRange all{boundaries.front(), boundaries.back()};
    if (all.size() * kPixelsPerPoint <= double(view.columns)) {
        lane.points = true;
        for (std::size_t p = r.goodFrom(all.begin); p != kNoPoll && p < all.end;
             p = r.goodFrom(p + 1)) {
            const float v = r.value(channel, p);
            if (std::isnan(v)) continue;
            const std::size_t before = r.goodBefore(p);
            lane.pointList.push_back(
                {view.columnOf(r.time(p)), v, p, before != kNoPoll && !r.gapBetween(before, p)});
        }
    }
    return lane;
}

std::vector<LaneEnvelope> DecimateLanes(const AnalysedRecording& recording,
                                        const std::vector<int>& channels, const TimeView& view) {
    const std::vector<std::size_t> boundaries = ColumnBoundaries(recording, view);
    std::vector<LaneEnvelope> lanes;
    lanes.reserve(channels.size());
    for (int channel : channels)
        lanes.push_back(DecimateLane(recording, channel, view, boundaries));
    return lanes;
}

std::vector<uint8_t> HighlightColumns(const AnalysedRecording& r,
                                      const std::vector<uint32_t>& polls, const TimeView& view) {
    std::vector<uint8_t> lit(view.valid() ? view.columns : 0, 0);
    if (!view.valid()) return lit;
    const PollRange in = r.pollsBetween(view.startMs, view.endMs);
    auto p = std::lower_bound(polls.begin(), polls.end(), static_cast<uint32_t>(in.begin));
    for (; p != polls.end() && *p < in.end; ++p) {
        const int c = std::min(view.columns - 1, static_cast<int>(view.columnOf(r.time(*p))));
        lit[std::max(c, 0)] = 1;
    }
    return lit;
}

} // namespace analysis
