#include "analysis/TimeAxis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace analysis {
namespace {

constexpr int64_t kMsPerDay = 86400000;

// Tick steps in milliseconds, from a tenth of a second to twelve hours.
constexpr double kTickSteps[] = {100,     200,     500,     1000,     2000,     5000,    10000,
                                 15000,   30000,   60000,   120000,   300000,   600000,  900000,
                                 1800000, 3600000, 7200000, 10800000, 21600000, 43200000};

std::string hms(int64_t ms, bool withMs, bool tenths) {
    ms = ((ms % kMsPerDay) + kMsPerDay) % kMsPerDay;
    const int h = int(ms / 3600000), m = int(ms / 60000 % 60), s = int(ms / 1000 % 60);
    char buffer[32];
    if (withMs)
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d.%03d", h, m, s, int(ms % 1000));
    else if (tenths)
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d.%d", h, m, s, int(ms % 1000 / 100));
    else
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", h, m, s);
    return buffer;
}

std::string elapsed(int64_t ms, bool withMs) {
    const int64_t s = ms / 1000;
    char buffer[40];
    if (withMs)
        std::snprintf(buffer, sizeof buffer, "+%lld:%02d:%02d.%03d", (long long)(s / 3600),
                      int(s / 60 % 60), int(s % 60), int(ms % 1000));
    else
        std::snprintf(buffer, sizeof buffer, "+%lld:%02d:%02d", (long long)(s / 3600),
                      int(s / 60 % 60), int(s % 60));
    return buffer;
}

TimeView clampToRecording(const AnalysedRecording& r, double start, double span, int columns) {
    const double first = r.firstMs(), last = r.lastMs();
    const double whole = std::max(last - first, kMinViewMs);
    span = std::clamp(span, kMinViewMs, whole);
    start = std::clamp(start, first, std::max(first, last - span));
    return {start, start + span, columns};
}

} // namespace

std::string ClockText(const LocalTime& time, bool withMs) {
    return hms(time.localMs, withMs, false);
}

std::string RecordedClockText(const AnalysedRecording& r, double timeMs, bool withMs) {
    LocalTime clock;
    if (r.clockAt(timeMs, clock)) return ClockText(clock, withMs);
    return elapsed(static_cast<int64_t>(std::max(0.0, timeMs)), withMs);
}

std::vector<TimeTick> TimeTicks(const AnalysedRecording& r, const TimeView& view,
                                double minPixels) {
    std::vector<TimeTick> ticks;
    if (!view.valid()) return ticks;
    minPixels = std::max(minPixels, 1.0); // never more ticks than columns
    double step = kTickSteps[std::size(kTickSteps) - 1];
    for (double s : kTickSteps)
        if (s / view.msPerColumn() >= minPixels) {
            step = s;
            break;
        }
    const std::vector<SegmentClock>& segments = r.segments();
    // Segment by segment: each carries its own clock.
    for (std::size_t s = 0; s < std::max<std::size_t>(segments.size(), 1); ++s) {
        double from = view.startMs, to = view.endMs;
        int64_t clockAtZero = 0; // clock reading minus recording time
        bool known = false;
        if (!segments.empty()) {
            const SegmentClock& seg = segments[s];
            from = std::max(from, s == 0 ? view.startMs : double(seg.timeMs));
            if (s + 1 < segments.size()) to = std::min(to, double(segments[s + 1].timeMs));
            known = seg.known;
            if (known) clockAtZero = seg.start.localMs - int64_t(seg.timeMs);
        }
        if (from > to) continue;
        const int64_t stepMs = static_cast<int64_t>(step);
        int64_t clock = static_cast<int64_t>(std::ceil((from + clockAtZero) / step)) * stepMs;
        for (; clock - clockAtZero <= to; clock += stepMs) {
            const double t = double(clock - clockAtZero);
            if (t < from || (t >= to && s + 1 < segments.size())) continue;
            const std::string text =
                known ? hms(clock, false, step < 1000) : elapsed(clock, step < 1000);
            ticks.push_back({view.columnOf(t), text});
        }
    }
    return ticks;
}

std::vector<AxisEvent> EventsInView(const AnalysedRecording& r, const TimeView& view) {
    std::vector<AxisEvent> in;
    if (!view.valid()) return in;
    const std::vector<TimelineEvent>& events = r.events();
    auto e = std::lower_bound(events.begin(), events.end(), view.startMs,
                              [](const TimelineEvent& x, double ms) { return x.timeMs < ms; });
    for (; e != events.end() && e->timeMs <= view.endMs; ++e)
        in.push_back({view.columnOf(e->timeMs), &*e});
    return in;
}

TimeView WholeRecording(const AnalysedRecording& r, int columns) {
    return clampToRecording(r, r.firstMs(), r.lastMs() - r.firstMs(), columns);
}

TimeView Zoomed(const AnalysedRecording& r, const TimeView& view, double aroundMs, double factor) {
    const double span = (view.endMs - view.startMs) * factor;
    const double share =
        view.valid() ? (aroundMs - view.startMs) / (view.endMs - view.startMs) : 0.5;
    return clampToRecording(r, aroundMs - share * span, span, view.columns);
}

TimeView Panned(const AnalysedRecording& r, const TimeView& view, double byMs) {
    return clampToRecording(r, view.startMs + byMs, view.endMs - view.startMs, view.columns);
}

TimeSpan Surroundings(const AnalysedRecording& recording, double fromMs, double toMs) {
    const double length = toMs - fromMs;
    const double margin = std::max(length * kSurroundShare, (kSurroundLeastMs - length) / 2);
    return {std::max<double>(recording.firstMs(), fromMs - margin),
            std::min<double>(recording.lastMs(), toMs + margin)};
}

} // namespace analysis
