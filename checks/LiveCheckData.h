#pragma once
// The live session as the checks read it: a copy of the polls the ring of the session holds
// (checks/LiveCheckRing.h), column by column as a recording gives them, taken in one go so
// that the checks judge a consistent whole while the link thread goes on adding to the ring.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "checks/CheckData.h"

namespace checks {

class LiveCheckData : public CheckData {
  public:
    int family() const override { return family_; }
    std::size_t polls() const override { return times_.size(); }
    uint32_t timeMs(std::size_t poll) const override { return times_[poll]; }
    bool good(std::size_t poll) const override { return (flags_[poll] & kGood) != 0; }
    PollOutcome outcome(std::size_t poll) const override { return outcomes_[poll]; }
    bool breakBefore(std::size_t poll) const override {
        return poll > 0 && (flags_[poll] & kBreak) != 0;
    }
    const float* column(int channel) const override;
    const std::vector<CheckEvent>& events() const override { return events_; }

    // The ring's revision the copy was taken at (LiveCheckRing::revision).
    uint64_t revision() const { return revision_; }
    // Polls the ring has let go since the session started afresh (its bound), so the oldest
    // here is not the session's first.
    uint64_t dropped() const { return dropped_; }
    // From the first poll held to the last, in seconds (0 without polls).
    double seconds() const;

  private:
    friend class LiveCheckRing;
    enum Flag : uint8_t { kGood = 1, kBreak = 2 };

    int family_ = 0;
    std::vector<uint32_t> times_; // ms since the session started afresh
    std::vector<uint8_t> flags_;  // Flag per poll
    std::vector<PollOutcome> outcomes_;
    std::vector<std::vector<float>> columns_;
    std::vector<CheckEvent> events_;
    uint64_t revision_ = 0;
    uint64_t dropped_ = 0;
};

} // namespace checks
