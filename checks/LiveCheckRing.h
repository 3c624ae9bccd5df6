#pragma once
// The live session for the checks: every poll the link thread judges, decoded at once by the
// analysis' own decoder (analysis/PollDecoder: the numbers of the readout and the CSV) into
// columns, with its time and outcome, the STOPs and STARTs as breaks, and the events the checks
// read (trouble codes appearing and going, clear-codes, commands with the ECU's verdict). A
// bounded ring: the last two hours, at most kLiveCapacity polls; older polls and their events
// are let go. The link thread adds under a short lock; any thread takes a consistent copy
// (snapshot) to judge. A change of car, engine or ECU family starts it afresh.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "checks/LiveCheckData.h"
#include "link/CommandSink.h"
#include "link/JudgedReply.h"
#include "record/CodeWatch.h"
#include "record/RecordingSession.h"

namespace analysis {
class PollDecoder;
}

namespace checks {

// Two hours: a cold start warming up to the thermostat (CoolantWarmUpSeconds, 20 minutes) and
// levelling (CoolantLevelledSeconds, 5 minutes), then idle, revs and a test drive, all in one
// session the checks see whole.
constexpr int64_t kLiveSpanMs = 2LL * 60 * 60 * 1000;
// Two hours at the line's 8.25 polls a second (LinkWirePollsPerSecond) are 59 400 polls; a
// faster line fills it sooner. About 14 MB for family 4's 55 columns (bench/live_checks.cpp).
constexpr std::size_t kLiveCapacity = 60000;

class LiveCheckRing : public ReplySink, public CommandSink {
  public:
    // family: the ECU family chosen now (read on the link thread); clock: the link's monotonic
    // milliseconds (the times of JudgedReply), for the commands, which come without one.
    LiveCheckRing(std::function<int()> family, std::function<int64_t()> clock,
                  std::size_t capacity = kLiveCapacity, int64_t spanMs = kLiveSpanMs);
    ~LiveCheckRing() override;
    LiveCheckRing(const LiveCheckRing&) = delete;
    LiveCheckRing& operator=(const LiveCheckRing&) = delete;

    // Link thread: each judged poll; each command frame and clear-codes sent.
    void replyJudged(const JudgedReply& reply) override;
    void commandExchanged(const uint8_t* frame, std::size_t size, CommandOutcome outcome) override;
    void clearCodesSent() override;

    // GUI thread: START with the car and engine it connects to (another one than before starts
    // the session afresh), and STOP. Either puts a break before the next poll.
    void linkStarted(const VehicleChoice& vehicle);
    void linkStopped();

    // Any thread: a copy of what the ring holds, into `into` (whose buffers are reused).
    void snapshot(LiveCheckData& into) const;
    // Grows with every poll, event and fresh start: a copy at the same revision is the same.
    uint64_t revision() const;
    std::size_t size() const;

  private:
    void restartLocked(int family);
    void dropOldestLocked();
    void addEventLocked(CheckEvent event, int64_t ms);
    std::size_t slot(std::size_t age) const { return (head_ + age) % capacity_; }

    std::function<int()> family_;
    std::function<int64_t()> clock_;
    const std::size_t capacity_;
    const int64_t spanMs_;

    mutable std::mutex lock_;
    int dataFamily_ = 0; // 0: nothing held yet
    int channels_ = 0;
    VehicleChoice vehicle_;
    std::unique_ptr<analysis::PollDecoder> decoder_; // kept for its family across fresh starts
    int decoderFamily_ = 0;
    CodeWatch codes_;
    std::vector<float> row_; // one poll's values, as decoded
    // The ring: slot(age) for age 0 (oldest) .. count_ - 1; the values column by column,
    // channel c of a slot at values_[c * capacity_ + slot].
    std::vector<int64_t> times_;
    std::vector<uint8_t> flags_;
    std::vector<PollOutcome> outcomes_;
    std::unique_ptr<float[]> values_; // left unwritten until used
    std::size_t head_ = 0, count_ = 0;
    struct TimedEvent {
        int64_t ms;
        CheckEvent event;
    };
    std::deque<TimedEvent> events_;
    int64_t zeroMs_ = 0;        // the first poll after a fresh start
    bool breakPending_ = false; // a STOP or START since the last poll
    uint64_t revision_ = 0;
    uint64_t dropped_ = 0;
};

} // namespace checks
