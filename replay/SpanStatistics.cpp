#include "replay/SpanStatistics.h"

#include <algorithm>
#include <cmath>

#include "replay/AnalysisTexts.h"
#include "replay/TimeAxis.h"

namespace analysis {

TimeSpan WholeSpan(const AnalysedRecording& r) {
    return {double(r.firstMs()), double(r.lastMs())};
}

ChannelStats SpanStats(const AnalysedRecording& r, int channel, const TimeSpan& span) {
    ChannelStats s;
    s.channel = channel;
    const double from = std::max(span.fromMs, double(r.firstMs()));
    const double to = std::min(span.toMs, double(r.lastMs()));
    s.durationMs = std::max(0.0, to - from);
    const PollRange polls = r.pollsBetween(span.fromMs, span.toMs);
    const std::vector<float>& column = r.column(channel);
    const ChannelKind kind = r.channels()[channel].kind;
    double sum = 0;
    std::size_t yes = 0;
    std::array<std::size_t, 8> bits{};
    for (std::size_t p = polls.begin; p < polls.end; ++p) {
        const PollState state = r.state(p);
        if (state == PollState::Failed) ++s.failedPolls;
        if (state != PollState::Good) continue;
        ++s.goodPolls;
        const float v = column[p];
        if (std::isnan(v)) continue;
        if (s.values == 0) s.min = s.max = v;
        s.min = std::min<double>(s.min, v);
        s.max = std::max<double>(s.max, v);
        sum += v;
        ++s.values;
        if (kind == ChannelKind::YesNo && v != 0) ++yes;
        if (kind == ChannelKind::Bits)
            for (int b = 0; b < 8; ++b)
                bits[b] += (static_cast<int>(v) >> b) & 1;
    }
    if (s.values == 0) return s;
    const double n = double(s.values);
    s.mean = sum / n;
    double squares = 0; // second pass: the deviations from the mean
    for (std::size_t p = polls.begin; p < polls.end; ++p) {
        const float v = column[p];
        if (r.good(p) && !std::isnan(v)) squares += (v - s.mean) * (v - s.mean);
    }
    s.deviation = std::sqrt(squares / n);
    if (kind == ChannelKind::YesNo) {
        s.yesShare = yes / n;
        s.noShare = 1 - s.yesShare;
    }
    if (kind == ChannelKind::Bits)
        for (int b = 0; b < 8; ++b)
            s.bitShare[b] = bits[b] / n;
    return s;
}

std::vector<ChannelStats> SpanStats(const AnalysedRecording& r, const std::vector<int>& channels,
                                    const TimeSpan& span) {
    std::vector<ChannelStats> all;
    all.reserve(channels.size());
    for (int c : channels)
        all.push_back(SpanStats(r, c, span));
    return all;
}

std::vector<SpanAnchor> SpanAnchors(const AnalysedRecording& r) {
    std::vector<SpanAnchor> anchors;
    auto add = [&](double t, const std::string& what) {
        anchors.push_back({t, RecordedClockText(r, t, false) + " " + what});
    };
    add(r.firstMs(), analysistext::kRecordingStart);
    for (const TimelineEvent& e : r.events())
        add(e.timeMs, e.text);
    add(r.lastMs(), analysistext::kRecordingEnd);
    return anchors;
}

TimeSpan SpanBetween(const SpanAnchor& a, const SpanAnchor& b) {
    return {std::min(a.timeMs, b.timeMs), std::max(a.timeMs, b.timeMs)};
}

} // namespace analysis
