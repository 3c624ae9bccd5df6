#pragma once
// What every check needs beside its own logic: the family's channels, the figures of
// CheckRanges for the family, and the runs of polls that satisfy a condition (good polls in a
// row, no break, no failed poll between), with their length in seconds. The rows of the
// family and the polls' outcomes are read once, so the per-poll conditions cost no search.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "checks/CheckChannels.h"
#include "checks/CheckData.h"
#include "checks/CheckResult.h"

namespace checks {

// Polls [begin, end) of the data; seconds from the first one's time to the last one's.
struct Run {
    std::size_t begin = 0, end = 0;
    double seconds = 0;
};

class CheckContext {
  public:
    explicit CheckContext(const CheckData& data);

    const CheckData& data() const { return data_; }
    int family() const { return data_.family(); }
    const RangeRow& row(Range id) const { return *rows_[static_cast<int>(id)]; }
    // The role's channel, -1 when the family has none.
    int channel(Role role) const { return channels_[static_cast<int>(role)]; }
    bool has(Role role) const { return column(role) != nullptr; }
    // The value of a role at a poll; NaN when the poll or the family has none.
    float value(Role role, std::size_t poll) const {
        const float* c = column(role);
        return c ? c[poll] : NAN;
    }
    const float* column(Role role) const;

    // The engine running, warm, the loop closed, the car standing with the throttle closed.
    bool running(std::size_t poll) const;
    bool warm(std::size_t poll) const;
    bool closedLoop(std::size_t poll) const;
    bool warmIdle(std::size_t poll) const;

    // The runs of good polls where condition(poll) holds; a run ends at a failed poll or a
    // break.
    template <typename Condition> std::vector<Run> runs(const Condition& condition) const;
    static double seconds(const std::vector<Run>& runs);

    // An evidence span of a run, pointing into the caller's poll numbering.
    EvidenceSpan span(const Run& run, const std::string& label, std::vector<int> channels) const;
    // The longest of the runs as evidence (none when empty).
    void addLongest(CheckResult& result, const std::vector<Run>& runs, const std::string& label,
                    const std::vector<int>& channels, std::size_t most) const;

  private:
    void closeRun(std::vector<Run>& out, std::size_t begin, std::size_t end) const;
    enum PollFlag : uint8_t { kGood = 1, kBreak = 2 };

    const CheckData& data_;
    std::vector<int> channels_;
    std::vector<const float*> columns_;
    std::vector<const RangeRow*> rows_;
    std::vector<uint8_t> flags_; // PollFlag per poll
    // The shared conditions' thresholds.
    double runningRpm_, warmC_, closedThrottlePct_, standingKmh_;
};

template <typename Condition>
std::vector<Run> CheckContext::runs(const Condition& condition) const {
    std::vector<Run> out;
    const std::size_t n = flags_.size();
    std::size_t start = n;
    for (std::size_t i = 0; i < n; ++i) {
        const uint8_t f = flags_[i];
        if (f != kGood) { // a break before it, or a failed poll
            if (start < i) closeRun(out, start, i);
            start = n;
            if (!(f & kGood)) continue;
        }
        if (condition(i)) {
            if (start == n) start = i;
        } else {
            if (start < i) closeRun(out, start, i);
            start = n;
        }
    }
    if (start < n) closeRun(out, start, n);
    return out;
}

// A judged figure: the verdict the range's band gives; NaN gives no data.
Figure Judged(const CheckContext& context, const std::string& name, double value, Range range);
// A figure shown beside them, not judged.
Figure Shown(const std::string& name, double value, const std::string& unit);

// The verdict of the judged figures (the worst), NoData when none was judged.
Verdict VerdictOf(const std::vector<Figure>& figures);

// The instruction of «нет данных» for the check.
std::string NoDataText(Check check);

// Mean over the polls of runs where the values are numbers; NaN for none.
double MeanOver(const float* column, const std::vector<Run>& runs);

} // namespace checks
