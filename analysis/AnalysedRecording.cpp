#include "analysis/AnalysedRecording.h"

#include <algorithm>
#include <cmath>

#include "record/EventText.h"
#include "analysis/AnalysisTexts.h"
#include "analysis/PollDecoder.h"

using recfile::Record;
using recfile::RecordType;

namespace analysis {
namespace {

constexpr std::size_t kProgressEvery = 4096; // polls between progress reports and cancel checks

TimelineEvent::Kind kindOf(RecordType type) {
    switch (type) {
    case RecordType::CodeAppeared:
        return TimelineEvent::Kind::CodeAppeared;
    case RecordType::CodeGone:
        return TimelineEvent::Kind::CodeGone;
    case RecordType::Command:
        return TimelineEvent::Kind::Command;
    case RecordType::ClearCodes:
        return TimelineEvent::Kind::ClearCodes;
    case RecordType::LinkStart:
        return TimelineEvent::Kind::LinkStart;
    case RecordType::LinkStop:
        return TimelineEvent::Kind::LinkStop;
    case RecordType::RecordStart:
        return TimelineEvent::Kind::RecordStart;
    case RecordType::SegmentHeader:
        return TimelineEvent::Kind::Segment;
    default:
        return TimelineEvent::Kind::Marker;
    }
}

std::string segmentText(const recfile::RecordingHeader& h) {
    std::string text = analysistext::kSegment;
    text += ": " + h.car;
    if (!h.engine.empty()) text += " " + h.engine;
    return text;
}

} // namespace

std::unique_ptr<AnalysedRecording> AnalysedRecording::decode(RecordingReader reader, int family,
                                                             LoadControl* control,
                                                             float progressFrom, float progressTo) {
    std::unique_ptr<AnalysedRecording> r(new AnalysedRecording());
    r->reader_ = std::move(reader);
    r->family_ = family;
    r->channels_ = FamilyChannels(family);
    if (!r->build(control, progressFrom, progressTo)) return nullptr;
    return r;
}

bool AnalysedRecording::build(LoadControl* control, float from, float to) {
    const std::size_t polls = reader_.pollCount();
    const int channels = channelCount();
    times_.reserve(polls);
    states_.reserve(polls);
    outcomes_.reserve(polls);
    badBefore_.reserve(polls + 1);
    badBefore_.push_back(0);
    columns_.assign(channels, std::vector<float>(polls, NAN));
    PollDecoder decoder(family_);
    std::vector<float> row(channels);

    int segmentFamily = 0;
    bool breakPending = false;
    std::size_t nextMarker = 0; // the reader lists the markers in record order
    Record r;
    for (std::size_t i = 0; i < reader_.recordCount(); ++i) {
        if (!reader_.record(i, r)) break;
        if (r.type == RecordType::SegmentHeader) {
            SegmentClock clock;
            clock.timeMs = r.timeMs;
            clock.header = r.header;
            clock.known = ParseIso(r.header.startDateTime, clock.start);
            segments_.push_back(clock);
            segmentFamily = r.header.family;
            if (segments_.size() > 1) {
                breakPending = true;
                events_.push_back(
                    {TimelineEvent::Kind::Segment, r.timeMs, 0, segmentText(r.header)});
            }
            continue;
        }
        if (r.type != RecordType::Poll) {
            if (r.type == RecordType::LinkStop || r.type == RecordType::LinkStart)
                breakPending = true;
            if (r.type == RecordType::MarkerText) continue; // the marker carries its latest text
            const std::vector<MarkerInfo>& markers = reader_.markers();
            if (r.type == RecordType::Marker && nextMarker < markers.size() &&
                markers[nextMarker].record == i)
                r.text = markers[nextMarker++].text; // the latest text given to it
            TimelineEvent e{kindOf(r.type), r.timeMs, r.number, EventText(r, segmentFamily)};
            events_.push_back(std::move(e));
            continue;
        }
        const std::size_t k = times_.size();
        times_.push_back(r.timeMs);
        outcomes_.push_back(r.outcome);
        PollState state = PollState::Failed;
        if (segmentFamily != family_) {
            state = PollState::OtherFamily;
            ++otherFamilyPolls_;
        } else if (r.hasReply) {
            state = PollState::Good;
        }
        states_.push_back(state);
        if (breakPending && k > 0) breaks_.push_back(static_cast<uint32_t>(k));
        breakPending = false;
        badBefore_.push_back(badBefore_.back() + (state == PollState::Good ? 0 : 1));
        if (state == PollState::Good) {
            goodPolls_.push_back(static_cast<uint32_t>(k));
            decoder.decode(r.reply.data(), row.data());
            for (int c = 0; c < channels; ++c)
                columns_[c][k] = row[c];
        }
        if (control && k % kProgressEvery == 0) {
            if (control->cancelled()) return false;
            control->report(from + (to - from) * 0.9f * float(k) / float(polls ? polls : 1));
        }
    }
    // The reader's index and the records agree; should a record fail to decode
    // after all, the polls after it are dropped.
    for (std::vector<float>& c : columns_)
        c.resize(times_.size());
    pyramids_.resize(channels);
    for (int c = 0; c < channels; ++c) {
        if (control && control->cancelled()) return false;
        pyramids_[c].build(columns_[c].data(), columns_[c].size(),
                           channels_[c].kind == ChannelKind::Bits);
        if (control) control->report(from + (to - from) * (0.9f + 0.1f * float(c + 1) / channels));
    }
    return true;
}

bool AnalysedRecording::breakBefore(std::size_t poll) const {
    return std::binary_search(breaks_.begin(), breaks_.end(), static_cast<uint32_t>(poll));
}

bool AnalysedRecording::gapBetween(std::size_t first, std::size_t last) const {
    if (last <= first) return false;
    if (badBefore_[last + 1] - badBefore_[first + 1] > 0) return true;
    // A break before some poll in (first, last].
    const auto b = std::upper_bound(breaks_.begin(), breaks_.end(), static_cast<uint32_t>(first));
    return b != breaks_.end() && *b <= last;
}

bool AnalysedRecording::gapIn(std::size_t begin, std::size_t end) const {
    if (end <= begin) return false;
    if (badBefore_[end] - badBefore_[begin] > 0) return true;
    const auto b = std::upper_bound(breaks_.begin(), breaks_.end(), static_cast<uint32_t>(begin));
    return b != breaks_.end() && *b < end;
}

std::size_t AnalysedRecording::goodFrom(std::size_t poll) const {
    if (poll >= pollCount()) return kNoPoll;
    const std::size_t rank = poll - badBefore_[poll];
    return rank < goodPolls_.size() ? goodPolls_[rank] : kNoPoll;
}

std::size_t AnalysedRecording::goodBefore(std::size_t poll) const {
    poll = std::min(poll, pollCount());
    const std::size_t rank = poll - badBefore_[poll];
    return rank > 0 ? goodPolls_[rank - 1] : kNoPoll;
}

PollRange AnalysedRecording::pollsBetween(double fromMs, double toMs) const {
    const auto b = std::lower_bound(times_.begin(), times_.end(), fromMs,
                                    [](uint32_t t, double ms) { return t < ms; });
    const auto e = std::upper_bound(times_.begin(), times_.end(), toMs,
                                    [](double ms, uint32_t t) { return ms < t; });
    return {static_cast<std::size_t>(b - times_.begin()),
            std::max(static_cast<std::size_t>(b - times_.begin()),
                     static_cast<std::size_t>(e - times_.begin()))};
}

PollRange AnalysedRecording::pollsFrom(double fromMs, double toMs) const {
    const auto b = std::lower_bound(times_.begin(), times_.end(), fromMs,
                                    [](uint32_t t, double ms) { return t < ms; });
    const auto e =
        std::lower_bound(b, times_.end(), toMs, [](uint32_t t, double ms) { return t < ms; });
    return {static_cast<std::size_t>(b - times_.begin()),
            static_cast<std::size_t>(e - times_.begin())};
}

std::size_t AnalysedRecording::nearestPoll(double timeMs) const {
    if (times_.empty()) return kNoPoll;
    const auto at = std::lower_bound(times_.begin(), times_.end(), timeMs,
                                     [](uint32_t t, double ms) { return t < ms; });
    if (at == times_.end()) return times_.size() - 1;
    const std::size_t k = static_cast<std::size_t>(at - times_.begin());
    if (k > 0 && timeMs - times_[k - 1] <= times_[k] - timeMs) return k - 1;
    return k;
}

std::size_t AnalysedRecording::segmentAt(double timeMs) const {
    // The last segment starting at or before timeMs (the first when none does).
    const auto after =
        std::upper_bound(segments_.begin(), segments_.end(), timeMs,
                         [](double ms, const SegmentClock& s) { return ms < s.timeMs; });
    return after == segments_.begin() ? 0 : std::size_t(after - segments_.begin()) - 1;
}

bool AnalysedRecording::clockAt(double timeMs, LocalTime& out) const {
    if (segments_.empty()) return false;
    const SegmentClock& s = segments_[segmentAt(timeMs)];
    if (!s.known) return false;
    out = Later(s.start, static_cast<int64_t>(std::floor(timeMs)) - int64_t(s.timeMs));
    return true;
}

bool AnalysedRecording::pollRecord(std::size_t poll, recfile::Record& out) const {
    if (poll >= pollCount()) return false;
    return reader_.record(reader_.pollRecord(poll), out);
}

std::size_t AnalysedRecording::bytes() const {
    std::size_t n = times_.capacity() * sizeof(uint32_t) + states_.capacity() +
                    outcomes_.capacity() + breaks_.capacity() * sizeof(uint32_t) +
                    badBefore_.capacity() * sizeof(uint32_t) +
                    goodPolls_.capacity() * sizeof(uint32_t);
    for (const std::vector<float>& c : columns_)
        n += c.capacity() * sizeof(float);
    for (const EnvelopePyramid& p : pyramids_)
        n += p.bytes();
    return n;
}

} // namespace analysis
