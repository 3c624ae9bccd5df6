#pragma once
// Figures of a channel over a span of the recording: smallest, largest, mean and
// standard deviation of its values, the share of polls in each yes/no state (or
// with each bit set), the good and failed polls and the span's length; and the
// list of moments (markers, events, the start and end) a span is picked between.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "analysis/AnalysedRecording.h"

namespace analysis {

// fromMs <= time <= toMs, in the recording's own milliseconds.
struct TimeSpan {
    double fromMs = 0;
    double toMs = 0;
};

// From the first poll to the last.
TimeSpan WholeSpan(const AnalysedRecording& recording);

struct ChannelStats {
    int channel = 0;
    std::size_t goodPolls = 0;   // polls with a reply
    std::size_t failedPolls = 0; // polls without (polls of another family's segment are neither)
    std::size_t values = 0;      // good polls with a number for the channel
    double min = 0, max = 0, mean = 0;
    double deviation = 0;             // standard deviation over the values (divided by their count)
    double yesShare = 0;              // yes/no channels: the share of values that are "Да"
    double noShare = 0;               //                  and "Нет"
    std::array<double, 8> bitShare{}; // bit channels: the share of values with bit j set
    double durationMs = 0;            // of the span, within the recording
};

ChannelStats SpanStats(const AnalysedRecording& recording, int channel, const TimeSpan& span);
std::vector<ChannelStats> SpanStats(const AnalysedRecording& recording,
                                    const std::vector<int>& channels, const TimeSpan& span);

// The channels a span's figures are listed for: the lanes' in lane order, then those added
// to the list in the order they were added (a channel already listed is listed once).
std::vector<int> StatsChannels(const std::vector<int>& lanes, const std::vector<int>& added);

// A moment a span can start or end at, as the list shows it: "21:44:53 метка 1: холостой ход".
struct SpanAnchor {
    double timeMs = 0;
    std::string label;
};
// The first poll, every event in time order, the last poll.
std::vector<SpanAnchor> SpanAnchors(const AnalysedRecording& recording);
// Between two moments, whichever comes first.
TimeSpan SpanBetween(const SpanAnchor& a, const SpanAnchor& b);

} // namespace analysis
