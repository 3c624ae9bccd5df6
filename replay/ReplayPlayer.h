#pragma once
// Plays a recording back. A cursor in the recording's time moves with a
// high-resolution clock at the chosen speed; the polls it passes come out as
// judged replies, the same as the link cycle produces, and the 50 ms sampling
// ticks of the recording's time come out between them, so the charts scroll
// as they did live whatever the speed. A seek refills the chart history: the
// ticks before the cursor are played again, quietly, from the latest poll at
// or before each of them, until the charts hold as many samples as live.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/JudgedReply.h"
#include "platform/Clock.h"
#include "record/RecordingReader.h"
#include "state/ChannelStore.h"

// Microseconds from any fixed start: the steady clock in the program, a hand-moved
// one in tests.
class ReplayClock {
  public:
    virtual ~ReplayClock() = default;
    virtual int64_t nowUs() const = 0;
};
class SteadyReplayClock : public ReplayClock {
  public:
    int64_t nowUs() const override { return SteadyUs(); }
};

// Where the player's output goes, in the recording's time order.
class ReplayOutput {
  public:
    virtual ~ReplayOutput() = default;
    // A seek begins: the charts start again from empty.
    virtual void historyCleared() = 0;
    // One poll as judged, of the given segment. shown is false while the history
    // is refilled: only the sampler is to see those replies.
    virtual void replyDue(const JudgedReply& reply, std::size_t segment, bool shown) = 0;
    // A sampling tick at timeMs of the recording.
    virtual void sampleDue(uint32_t timeMs, std::size_t segment) = 0;
};

constexpr int kReplaySpeedCount = 6; // 0.25x, 0.5x, 1x, 2x, 4x, 8x
constexpr int kReplayNormalSpeed = 2;
// While playing, a reply reaches the screen at most this often (the others reach
// only the sampler): every reply at 1x, where they come 120 ms or more apart.
constexpr int64_t kReplayShowEveryUs = 90000;

class ReplayPlayer {
  public:
    // reader must hold at least one poll and outlive the player. Paused, with
    // nothing shown until start().
    ReplayPlayer(const RecordingReader& reader, const ReplayClock& clock);

    // Shows the first poll (a seek to its time).
    void start(ReplayOutput& out);

    bool playing() const { return playing_; }
    // At the end, play starts again from the first poll.
    void play(ReplayOutput& out);
    // Pauses with the reply at the cursor on the screen.
    void pause(ReplayOutput& out);
    // The play button: pauses while playing, plays while paused.
    void togglePlay(ReplayOutput& out);

    int speedIndex() const { return speed_; }
    void setSpeedIndex(int index); // clamped to 0..kReplaySpeedCount-1
    // The speed in quarters: 1 (0.25x) .. 32 (8x).
    static int SpeedQuarters(int index);

    uint32_t positionMs() const { return cursorMs_; }
    uint32_t durationMs() const { return reader_.durationMs(); }
    // The poll shown last (the latest at or before the cursor); pollCount() when none.
    std::size_t shownPoll() const { return shownPoll_; }
    std::size_t segment() const { return segment_; }

    // Moves the cursor by the clock while playing; pauses at the end.
    void advance(ReplayOutput& out);
    // Anywhere in the recording, with the history refilled; keeps playing if it was.
    void seek(uint32_t timeMs, ReplayOutput& out);
    // One poll forward or back; pauses. False when there is none.
    bool stepForward(ReplayOutput& out);
    bool stepBack(ReplayOutput& out);
    // The next or previous event (markers included) or marker; false when none.
    bool nextEvent(ReplayOutput& out);
    bool previousEvent(ReplayOutput& out);
    bool nextMarker(ReplayOutput& out);
    bool previousMarker(ReplayOutput& out);

  private:
    uint32_t pollTime(std::size_t poll) const;
    std::size_t pollSegment(std::size_t poll) const;
    // The latest poll at or before timeMs; pollCount() when there is none.
    std::size_t latestPoll(uint32_t timeMs) const;
    void present(std::size_t poll, ReplayOutput& out, bool shown);
    // Forward from the cursor to timeMs: the polls and ticks in between, in order.
    void moveTo(uint32_t timeMs, ReplayOutput& out);
    void refill(ReplayOutput& out);
    void anchor();
    bool jump(const std::vector<uint32_t>& times, bool forward, ReplayOutput& out);

    const RecordingReader& reader_;
    const ReplayClock& clock_;
    std::size_t polls_ = 0;
    // Per poll: whether the sampler runs after it (the data-valid flag as the
    // presenter leaves it) and the poll whose reply the receive buffer holds
    // then (pollCount() for a cleared buffer).
    std::vector<uint8_t> validAfter_;
    std::vector<std::size_t> bufferFrom_;
    std::vector<uint32_t> eventTimes_, markerTimes_;

    uint32_t cursorMs_ = 0;
    std::size_t shownPoll_;
    std::size_t segment_ = 0;
    bool playing_ = false;
    int speed_ = kReplayNormalSpeed;
    int64_t anchorUs_ = 0;
    uint32_t anchorMs_ = 0;
    uint8_t buffer_[kReplyBufferSize] = {};
    int64_t lastShownUs_ = 0;
    bool shownQuietly_ = false; // the poll at the cursor has reached only the sampler
};
