#pragma once
// What the engine checks read: the polls of a session as columns, one number per channel and
// poll (NaN where the poll has none), the poll times and outcomes, where the link was stopped,
// and the events that matter to them (codes, clear-codes, commands with their frames). A
// recording or a span of it is read through RecordingCheckData; a live session hands its ring
// in the same shape, so the verdicts come from the same code.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/JudgedReply.h"
#include "record/RecordFormat.h"

namespace analysis {
class AnalysedRecording;
struct PollRange;
} // namespace analysis

namespace checks {

struct CheckEvent {
    enum class Kind : uint8_t { CodeAppeared, CodeGone, ClearCodes, Command };
    Kind kind = Kind::Command;
    uint32_t timeMs = 0;
    int errorByte = 0; // codes: 1..4
    int bit = 0;       // codes: 0..7
    recfile::CommandVerdict verdict = recfile::CommandVerdict::Sent;
    std::vector<uint8_t> frame; // a command's 14 bytes as sent
};

class CheckData {
  public:
    virtual ~CheckData() = default;
    virtual int family() const = 0;
    virtual std::size_t polls() const = 0;
    virtual uint32_t timeMs(std::size_t poll) const = 0;
    virtual bool good(std::size_t poll) const = 0;
    virtual PollOutcome outcome(std::size_t poll) const = 0;
    // The link was stopped and started again (or a new segment began) before this poll.
    virtual bool breakBefore(std::size_t poll) const = 0;
    // polls() values of a catalogue row of the family, NaN where a poll has none.
    virtual const float* column(int channel) const = 0;
    // In time order, within the polls' time.
    virtual const std::vector<CheckEvent>& events() const = 0;
    // Where poll 0 lies in the caller's own numbering (a recording's poll index), so
    // that the evidence spans point into it.
    virtual std::size_t firstPollIndex() const { return 0; }
};

// A span of an analysed recording (its polls [begin, end)).
class RecordingCheckData : public CheckData {
  public:
    RecordingCheckData(const analysis::AnalysedRecording& recording, std::size_t begin,
                       std::size_t end);
    explicit RecordingCheckData(const analysis::AnalysedRecording& recording);

    int family() const override;
    std::size_t polls() const override { return end_ - begin_; }
    uint32_t timeMs(std::size_t poll) const override;
    bool good(std::size_t poll) const override;
    PollOutcome outcome(std::size_t poll) const override;
    bool breakBefore(std::size_t poll) const override;
    const float* column(int channel) const override;
    const std::vector<CheckEvent>& events() const override { return events_; }
    std::size_t firstPollIndex() const override { return begin_; }

  private:
    void readEvents();
    const analysis::AnalysedRecording& recording_;
    std::size_t begin_, end_;
    std::vector<CheckEvent> events_;
};

} // namespace checks
