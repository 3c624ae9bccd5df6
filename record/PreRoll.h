#pragma once
// The minutes before: the last judged replies kept while connected, so a
// recording started after the fault still holds it. A fixed ring sized at
// construction; pushing a reply allocates nothing and drops the oldest when full.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/JudgedReply.h"

constexpr int64_t kPreRollMs = 120000;
constexpr std::size_t kPreRollCapacity = 4096; // two minutes at up to 34 polls a second

struct KeptPoll {
    int64_t timeMs = 0;
    PollOutcome outcome = PollOutcome::NotPolled;
    int received = 0;
    bool hasReply = false;
    uint8_t reply[kGoodReplySize] = {};
};

// The poll as kept: the 68 bytes only when the reply is good.
KeptPoll KeepPoll(const JudgedReply& reply);

class PreRoll {
  public:
    explicit PreRoll(std::size_t capacity = kPreRollCapacity) : slots_(capacity) {}

    void push(const KeptPoll& poll);
    void clear() { count_ = 0; }
    std::size_t size() const { return count_; }
    // Oldest first: the polls no older than spanMs before the newest one.
    std::vector<KeptPoll> newest(int64_t spanMs = kPreRollMs) const;

  private:
    const KeptPoll& at(std::size_t age) const; // 0 = oldest kept
    std::vector<KeptPoll> slots_;
    std::size_t next_ = 0;
    std::size_t count_ = 0;
};
