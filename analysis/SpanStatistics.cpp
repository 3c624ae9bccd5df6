#include "analysis/SpanStatistics.h"

#include <algorithm>
#include <cmath>

#include "analysis/AnalysisTexts.h"
#include "analysis/TimeAxis.h"

namespace analysis {

TimeSpan WholeSpan(const AnalysedRecording& r) {
    return {double(r.firstMs()), double(r.lastMs())};
}

namespace {

struct PollCounts {
    std::size_t good = 0, failed = 0;
};

PollCounts countPolls(const AnalysedRecording& r, const PollRange& polls) {
    PollCounts n;
    for (std::size_t p = polls.begin; p < polls.end; ++p) {
        const PollState state = r.state(p);
        n.good += state == PollState::Good;
        n.failed += state == PollState::Failed;
    }
    return n;
}

// One pass over the column: failed polls are NaN and skipped. The sums are
// taken about the first value, which keeps the variance exact enough for
// values that sit far from zero.
ChannelStats channelStats(const AnalysedRecording& r, int channel, const PollRange& polls,
                          const PollCounts& counts, double durationMs) {
    ChannelStats s;
    s.channel = channel;
    s.goodPolls = counts.good;
    s.failedPolls = counts.failed;
    s.durationMs = durationMs;
    const float* column = r.column(channel).data();
    const ChannelKind kind = r.channels()[channel].kind;
    std::size_t p = polls.begin;
    while (p < polls.end && std::isnan(column[p]))
        ++p;
    if (p >= polls.end) return s;
    const double origin = column[p];
    double sum = 0, squares = 0;
    float lo = column[p], hi = column[p];
    std::size_t n = 0, yes = 0;
    std::array<std::size_t, 8> bits{};
    for (; p < polls.end; ++p) {
        const float v = column[p];
        if (std::isnan(v)) continue;
        const double d = v - origin;
        sum += d;
        squares += d * d;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
        ++n;
        if (kind == ChannelKind::YesNo) yes += v != 0;
        if (kind == ChannelKind::Bits)
            for (int b = 0; b < 8; ++b)
                bits[b] += (static_cast<int>(v) >> b) & 1;
    }
    const double count = double(n);
    s.values = n;
    s.min = lo;
    s.max = hi;
    s.mean = origin + sum / count;
    s.deviation = std::sqrt(std::max(0.0, squares / count - (sum / count) * (sum / count)));
    if (kind == ChannelKind::YesNo) {
        s.yesShare = yes / count;
        s.noShare = 1 - s.yesShare;
    }
    if (kind == ChannelKind::Bits)
        for (int b = 0; b < 8; ++b)
            s.bitShare[b] = bits[b] / count;
    return s;
}

double durationOf(const AnalysedRecording& r, const TimeSpan& span) {
    const double from = std::max(span.fromMs, double(r.firstMs()));
    const double to = std::min(span.toMs, double(r.lastMs()));
    return std::max(0.0, to - from);
}

} // namespace

ChannelStats SpanStats(const AnalysedRecording& r, int channel, const TimeSpan& span) {
    const PollRange polls = r.pollsBetween(span.fromMs, span.toMs);
    return channelStats(r, channel, polls, countPolls(r, polls), durationOf(r, span));
}

std::vector<ChannelStats> SpanStats(const AnalysedRecording& r, const std::vector<int>& channels,
                                    const TimeSpan& span) {
    const PollRange polls = r.pollsBetween(span.fromMs, span.toMs);
    const PollCounts counts = countPolls(r, polls);
    const double duration = durationOf(r, span);
    std::vector<ChannelStats> all;
    all.reserve(channels.size());
    for (int c : channels)
        all.push_back(channelStats(r, c, polls, counts, duration));
    return all;
}

std::vector<SpanAnchor> SpanAnchors(const AnalysedRecording& r) {
    std::vector<SpanAnchor> anchors;
    auto add = [&](double t, const std::string& what) {
        anchors.push_back({t, RecordedClockText(r, t, false) + " " + what});
    };
    add(r.firstMs(), analysistext::kFirstPoll);
    for (const TimelineEvent& e : r.events())
        add(e.timeMs, e.text);
    add(r.lastMs(), analysistext::kLastPoll);
    return anchors;
}

TimeSpan SpanBetween(const SpanAnchor& a, const SpanAnchor& b) {
    return {std::min(a.timeMs, b.timeMs), std::max(a.timeMs, b.timeMs)};
}

std::vector<int> StatsChannels(const std::vector<int>& lanes, const std::vector<int>& added) {
    std::vector<int> out;
    for (const std::vector<int>* from : {&lanes, &added})
        for (int channel : *from)
            if (std::find(out.begin(), out.end(), channel) == out.end()) out.push_back(channel);
    return out;
}

} // namespace analysis
