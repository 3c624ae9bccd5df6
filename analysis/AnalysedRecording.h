#pragma once
// A recording opened for analysis: every poll read once through the program's own
// decoder into columns of numbers, one float column per channel of the family and
// one row per poll, failed polls kept as NaN; the poll times and outcomes, where
// the link was stopped, the events and markers, and the recorded clock. Built once
// off the GUI thread, then only read, by every view at once.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "record/IsoTime.h"
#include "record/RecordingReader.h"
#include "analysis/AnalysisChannels.h"
#include "analysis/EnvelopePyramid.h"
#include "analysis/LoadControl.h"

namespace analysis {

constexpr std::size_t kNoPoll = static_cast<std::size_t>(-1);

enum class PollState : uint8_t {
    Good,        // a reply with values (a reply that came in as the link stopped too)
    Failed,      // no answer, a wrong echo, the port not open
    OtherFamily, // a poll of a segment of another ECU family: no values here
};

struct TimelineEvent {
    enum class Kind : uint8_t {
        Marker,
        CodeAppeared,
        CodeGone,
        Command,
        ClearCodes,
        LinkStart,
        LinkStop,
        RecordStart,
        Segment, // a new segment: another car or engine
    };
    Kind kind = Kind::Marker;
    uint32_t timeMs = 0;
    int number = 0;   // a marker's number
    std::string text; // as the CSV's event column words it; a marker with its latest text
};

struct SegmentClock {
    uint32_t timeMs = 0; // where the segment starts
    bool known = false;  // the header's start time could be read
    LocalTime start;     // the clock at timeMs
    recfile::RecordingHeader header;
};

// The polls of a time span: [begin, end).
struct PollRange {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t size() const { return end > begin ? end - begin : 0; }
};

class AnalysedRecording {
  public:
    // Decodes every poll of reader's recording for the family (1..4); control (may
    // be null) gets progress from progressFrom to progressTo and may cancel: then
    // nullptr.
    static std::unique_ptr<AnalysedRecording> decode(RecordingReader reader, int family,
                                                     LoadControl* control, float progressFrom,
                                                     float progressTo);

    // The pyramids point into the columns: never copied.
    AnalysedRecording(const AnalysedRecording&) = delete;
    AnalysedRecording& operator=(const AnalysedRecording&) = delete;

    int family() const { return family_; }
    const std::vector<Channel>& channels() const { return channels_; }
    int channelCount() const { return static_cast<int>(channels_.size()); }

    std::size_t pollCount() const { return times_.size(); }
    uint32_t time(std::size_t poll) const { return times_[poll]; }
    const std::vector<uint32_t>& times() const { return times_; }
    PollState state(std::size_t poll) const { return states_[poll]; }
    bool good(std::size_t poll) const { return states_[poll] == PollState::Good; }
    PollOutcome outcome(std::size_t poll) const { return outcomes_[poll]; }
    std::size_t goodPollCount() const { return goodPolls_.size(); }

    // One value per poll, NaN where the poll has none.
    const std::vector<float>& column(int channel) const { return columns_[channel]; }
    float value(int channel, std::size_t poll) const { return columns_[channel][poll]; }
    // The smallest and largest value of the channel over polls [begin, end).
    Envelope envelope(int channel, std::size_t begin, std::size_t end) const {
        return pyramids_[channel].query(begin, end);
    }

    // The link was stopped and started again, or a new segment began, between
    // poll - 1 and poll.
    bool breakBefore(std::size_t poll) const;
    // A failed poll or a break lies between polls first < last: after first, up to
    // and including last (a break before last counts, a failure of last counts).
    bool gapBetween(std::size_t first, std::size_t last) const;
    // Failed polls or breaks from poll begin to before end.
    bool gapIn(std::size_t begin, std::size_t end) const;
    // The first good poll at or after poll (kNoPoll when none), the last good one
    // before poll (kNoPoll when none).
    std::size_t goodFrom(std::size_t poll) const;
    std::size_t goodBefore(std::size_t poll) const;

    // The polls with fromMs <= time <= toMs; and those with fromMs <= time < toMs.
    PollRange pollsBetween(double fromMs, double toMs) const;
    PollRange pollsFrom(double fromMs, double toMs) const;
    // The poll nearest in time (kNoPoll without polls).
    std::size_t nearestPoll(double timeMs) const;
    uint32_t firstMs() const { return times_.empty() ? 0 : times_.front(); }
    uint32_t lastMs() const { return times_.empty() ? 0 : times_.back(); }

    const std::vector<TimelineEvent>& events() const { return events_; }
    const std::vector<MarkerInfo>& markers() const { return reader_.markers(); }
    const std::vector<SegmentClock>& segments() const { return segments_; }
    // The segment a time falls in.
    std::size_t segmentAt(double timeMs) const;
    // The recorded clock at a time; false when the segment's start is not known.
    bool clockAt(double timeMs, LocalTime& out) const;

    // The recording as read, for what the columns do not keep (a poll's bytes).
    const RecordingReader& reader() const { return reader_; }
    // The record of a poll.
    bool pollRecord(std::size_t poll, recfile::Record& out) const;

    // Bytes held for the analysis: columns, pyramids, poll tables (not the file).
    std::size_t bytes() const;
    bool hasOtherFamily() const { return otherFamilyPolls_ > 0; }

  private:
    AnalysedRecording() = default;
    bool build(LoadControl* control, float from, float to);

    RecordingReader reader_;
    int family_ = 0;
    std::vector<Channel> channels_;
    std::vector<uint32_t> times_;
    std::vector<PollState> states_;
    std::vector<PollOutcome> outcomes_;
    std::vector<uint32_t> breaks_;    // polls with a break before them, ascending
    std::vector<uint32_t> badBefore_; // badBefore_[k]: polls before k that are not good
    std::vector<uint32_t> goodPolls_; // the good polls, ascending
    std::vector<std::vector<float>> columns_;
    std::vector<EnvelopePyramid> pyramids_;
    std::vector<TimelineEvent> events_;
    std::vector<SegmentClock> segments_;
    std::size_t otherFamilyPolls_ = 0;
};

} // namespace analysis
