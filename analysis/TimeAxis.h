#pragma once
// The time axis of the timeline: the recorded clock time (each segment's own
// start time carried on), ticks at round clock times, the events and markers
// in view, and the views the window zooms and pans through.
#include <string>
#include <vector>

#include "record/IsoTime.h"
#include "analysis/AnalysedRecording.h"
#include "analysis/SpanStatistics.h"
#include "analysis/TimeView.h"

namespace analysis {

constexpr double kMinViewMs = 500;    // the deepest zoom: a few polls across the plot
constexpr double kMinTickPixels = 70; // room for "21:44:48" between two ticks

// "21:44:48", or "21:44:48.250" with milliseconds.
std::string ClockText(const LocalTime& time, bool withMs);
// The recorded clock at a time of the recording; when the segment's start is
// not known, the time since the recording's start, "+0:12:05".
std::string RecordedClockText(const AnalysedRecording& recording, double timeMs, bool withMs);

struct TimeTick {
    double column = 0; // where it falls in the view
    std::string text;
};
// Ticks at round clock times (0.1 s to 12 h apart), at least minPixels apart.
std::vector<TimeTick> TimeTicks(const AnalysedRecording& recording, const TimeView& view,
                                double minPixels = kMinTickPixels);

struct AxisEvent {
    double column = 0;
    const TimelineEvent* event = nullptr; // into recording.events()
};
// The events (markers with their texts, codes, commands, START/STOP, segments) in view.
std::vector<AxisEvent> EventsInView(const AnalysedRecording& recording, const TimeView& view);

// From the first poll to the last.
TimeView WholeRecording(const AnalysedRecording& recording, int columns);
// factor < 1 zooms in around aroundMs, > 1 out; never closer than kMinViewMs,
// never beyond the whole recording.
TimeView Zoomed(const AnalysedRecording& recording, const TimeView& view, double aroundMs,
                double factor);
// Moved by byMs, kept within the recording.
TimeView Panned(const AnalysedRecording& recording, const TimeView& view, double byMs);

// A tenth of a span's length shown either side of it ...
constexpr double kSurroundShare = 0.1;
// ... and a short span (a moment, a few polls) amid a minute.
constexpr double kSurroundLeastMs = 60000;
// A span of evidence with what came before and after it, within the recording: how the
// report's charts and the analysis window show what a check judged.
TimeSpan Surroundings(const AnalysedRecording& recording, double fromMs, double toMs);

} // namespace analysis
