#pragma once
// One poll as judged: when it happened, how it went and what came back. The
// link cycle produces one per poll; a recording played back produces the same,
// and both hand it to a ReplySink (the ReplyPresenter shows it), so the
// readout, the charts and the windows cannot tell where it came from.
#include <cstdint>

constexpr int kReplyBufferSize = 100;
constexpr int kGoodReplySize = 68; // echo (4) + the ECU's frame (64)

enum class PollOutcome : uint8_t {
    GoodReply,  // the right echo and 68 bytes
    NoAnswer,   // the right echo, any other count
    WrongEcho,  // the adapter's echo is not the request
    LinkBroken, // a disconnect was pressed while the poll was on the wire
    NotPolled,  // the port was not open this cycle (after a failed open)
};

struct JudgedReply {
    int64_t timeMs = 0; // monotonic milliseconds
    PollOutcome outcome = PollOutcome::NotPolled;
    int received = 0; // bytes that came back, echo included
    // The receive buffer as the decoder reads it (kReplyBufferSize bytes), or
    // null when the producer has no bytes to show for this poll.
    const uint8_t* buffer = nullptr;

    // LinkBroken carries the judgement of the reply itself too.
    bool replyGood() const {
        return (outcome == PollOutcome::GoodReply || outcome == PollOutcome::LinkBroken) &&
               received == kGoodReplySize;
    }
};

class ReplySink {
  public:
    virtual ~ReplySink() = default;
    virtual void replyJudged(const JudgedReply& reply) = 0;
};
