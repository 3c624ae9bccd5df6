#include "analysis/CursorReadout.h"

#include <cstdio>

#include "record/EventText.h"
#include "analysis/AnalysisTexts.h"
#include "analysis/TimeAxis.h"

namespace analysis {

CursorReadout CursorReader::at(const AnalysedRecording& r, double timeMs,
                               const std::vector<int>& channels, char decimalSymbol) {
    CursorReadout out;
    out.values.assign(channels.size(), std::string());
    out.poll = r.nearestPoll(timeMs);
    if (out.poll == kNoPoll) return out;
    out.timeMs = r.time(out.poll);
    out.clockText = RecordedClockText(r, out.timeMs, true);
    const uint32_t ms = r.time(out.poll);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%u%c%03u", ms / 1000, decimalSymbol, ms % 1000);
    out.secondsText = seconds;
    recfile::Record record;
    if (!r.pollRecord(out.poll, record)) return out;
    out.good = r.good(out.poll);
    if (!out.good) {
        out.failure = r.state(out.poll) == PollState::OtherFamily ? analysistext::kOtherFamilyPoll
                                                                  : PollEventText(record);
        return out;
    }
    const std::vector<std::string>& texts =
        values_.decode(record.reply.data(), r.family(), decimalSymbol);
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const int c = channels[i];
        if (c < 0 || c >= static_cast<int>(texts.size())) continue;
        out.values[i] = texts[c];
        if (r.channels()[c].kind == ChannelKind::YesNo)
            out.values[i] = texts[c] == "1" ? "Да" : "Нет";
    }
    return out;
}

} // namespace analysis
