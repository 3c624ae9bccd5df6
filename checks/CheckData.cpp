#include "checks/CheckData.h"

#include <algorithm>

#include "analysis/AnalysedRecording.h"

namespace checks {

RecordingCheckData::RecordingCheckData(const analysis::AnalysedRecording& recording,
                                       std::size_t begin, std::size_t end)
    : recording_(recording), begin_(std::min(begin, recording.pollCount())),
      end_(std::max(begin_, std::min(end, recording.pollCount()))) {
    readEvents();
}

RecordingCheckData::RecordingCheckData(const analysis::AnalysedRecording& recording)
    : RecordingCheckData(recording, 0, recording.pollCount()) {}

int RecordingCheckData::family() const {
    return recording_.family();
}
uint32_t RecordingCheckData::timeMs(std::size_t poll) const {
    return recording_.time(begin_ + poll);
}
bool RecordingCheckData::good(std::size_t poll) const {
    return recording_.good(begin_ + poll);
}
PollOutcome RecordingCheckData::outcome(std::size_t poll) const {
    return recording_.outcome(begin_ + poll);
}
bool RecordingCheckData::breakBefore(std::size_t poll) const {
    return poll > 0 && recording_.breakBefore(begin_ + poll);
}
const float* RecordingCheckData::column(int channel) const {
    if (channel < 0 || channel >= recording_.channelCount()) return nullptr;
    return recording_.column(channel).data() + begin_;
}

void RecordingCheckData::readEvents() {
    if (end_ <= begin_) return;
    const uint32_t from = recording_.time(begin_), to = recording_.time(end_ - 1);
    const RecordingReader& reader = recording_.reader();
    recfile::Record r;
    for (std::size_t i : reader.events()) {
        const uint32_t t = reader.timeMs(i);
        if (t < from) continue;
        if (t > to) break;
        CheckEvent e;
        switch (reader.type(i)) {
        case recfile::RecordType::CodeAppeared:
            e.kind = CheckEvent::Kind::CodeAppeared;
            break;
        case recfile::RecordType::CodeGone:
            e.kind = CheckEvent::Kind::CodeGone;
            break;
        case recfile::RecordType::ClearCodes:
            e.kind = CheckEvent::Kind::ClearCodes;
            break;
        case recfile::RecordType::Command:
            e.kind = CheckEvent::Kind::Command;
            break;
        default:
            continue;
        }
        if (!reader.record(i, r)) continue;
        e.timeMs = t;
        e.errorByte = r.errorByte;
        e.bit = r.bit;
        e.verdict = r.verdict;
        e.frame = r.frame;
        events_.push_back(std::move(e));
    }
}

} // namespace checks
