#include "checks/CheckContext.h"

#include <algorithm>

#include "checks/CheckInfo.h"

namespace checks {

CheckContext::CheckContext(const CheckData& data)
    : data_(data), channels_(static_cast<int>(Role::Count), -1),
      columns_(static_cast<int>(Role::Count), nullptr), rows_(kRangeCount, nullptr),
      flags_(data.polls(), 0) {
    for (int r = 0; r < static_cast<int>(Role::Count); ++r) {
        channels_[r] = ChannelOf(static_cast<Role>(r), data.family());
        if (channels_[r] >= 0) columns_[r] = data.column(channels_[r]);
    }
    for (int id = 0; id < kRangeCount; ++id)
        rows_[id] = &CheckRange(static_cast<Range>(id), data.family());
    for (std::size_t i = 0; i < flags_.size(); ++i)
        flags_[i] =
            static_cast<uint8_t>((data.good(i) ? kGood : 0) | (data.breakBefore(i) ? kBreak : 0));
    runningRpm_ = row(Range::EngineRunningRpm).okLo;
    warmC_ = row(Range::WarmEngineC).okLo;
    closedThrottlePct_ = row(Range::ClosedThrottlePct).okHi;
    standingKmh_ = row(Range::StandingKmh).okHi;
}

const float* CheckContext::column(Role role) const {
    return columns_[static_cast<int>(role)];
}

bool CheckContext::running(std::size_t poll) const {
    return value(Role::Rpm, poll) >= runningRpm_;
}

bool CheckContext::warm(std::size_t poll) const {
    return value(Role::Coolant, poll) >= warmC_;
}

bool CheckContext::closedLoop(std::size_t poll) const {
    return value(Role::ClosedLoop, poll) > 0.5f;
}

bool CheckContext::warmIdle(std::size_t poll) const {
    const float speed = value(Role::Speed, poll);
    return running(poll) && warm(poll) && value(Role::Throttle, poll) <= closedThrottlePct_ &&
           (std::isnan(speed) || speed <= standingKmh_);
}

void CheckContext::closeRun(std::vector<Run>& out, std::size_t begin, std::size_t end) const {
    Run r;
    r.begin = begin;
    r.end = end;
    r.seconds = (data_.timeMs(end - 1) - data_.timeMs(begin)) / 1000.0;
    out.push_back(r);
}

double CheckContext::seconds(const std::vector<Run>& runs) {
    double s = 0;
    for (const Run& r : runs)
        s += r.seconds;
    return s;
}

EvidenceSpan CheckContext::span(const Run& run, const std::string& label,
                                std::vector<int> channels) const {
    EvidenceSpan s;
    s.beginPoll = data_.firstPollIndex() + run.begin;
    s.endPoll = data_.firstPollIndex() + run.end;
    s.fromMs = data_.timeMs(run.begin);
    s.toMs = data_.timeMs(run.end > run.begin ? run.end - 1 : run.begin);
    s.label = label;
    s.channels = std::move(channels);
    return s;
}

void CheckContext::addLongest(CheckResult& result, const std::vector<Run>& runs,
                              const std::string& label, const std::vector<int>& channels,
                              std::size_t most) const {
    std::vector<Run> sorted = runs;
    std::sort(sorted.begin(), sorted.end(),
              [](const Run& a, const Run& b) { return a.seconds > b.seconds; });
    if (sorted.size() > most) sorted.resize(most);
    std::sort(sorted.begin(), sorted.end(),
              [](const Run& a, const Run& b) { return a.begin < b.begin; });
    for (const Run& r : sorted)
        result.spans.push_back(span(r, label, channels));
}

Figure Judged(const CheckContext& context, const std::string& name, double value, Range range) {
    const RangeRow& row = context.row(range);
    Figure f;
    f.name = name;
    f.value = value;
    f.unit = row.unit;
    f.judged = row.kind == Kind::Band;
    f.range = range;
    f.verdict = Judge(row, value);
    return f;
}

Figure Shown(const std::string& name, double value, const std::string& unit) {
    Figure f;
    f.name = name;
    f.value = value;
    f.unit = unit;
    return f;
}

Verdict VerdictOf(const std::vector<Figure>& figures) {
    Verdict v = Verdict::NoData;
    for (const Figure& f : figures)
        if (f.judged) v = Worse(v, f.verdict);
    return v;
}

Verdict Worse(Verdict a, Verdict b) {
    auto rank = [](Verdict v) {
        switch (v) {
        case Verdict::NoData:
            return 0;
        case Verdict::Ok:
            return 1;
        case Verdict::Attention:
            return 2;
        case Verdict::Fault:
            return 3;
        }
        return 0;
    };
    return rank(a) >= rank(b) ? a : b;
}

std::string NoDataText(Check check) {
    const CheckInfo* info = InfoOf(check);
    return info ? info->noData : "";
}

double MeanOver(const float* column, const std::vector<Run>& runs) {
    if (!column) return NAN;
    double sum = 0;
    std::size_t count = 0;
    for (const Run& r : runs)
        for (std::size_t i = r.begin; i < r.end; ++i)
            if (!std::isnan(column[i])) sum += column[i], ++count;
    return count ? sum / count : NAN;
}

} // namespace checks
