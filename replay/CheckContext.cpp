#include "replay/CheckContext.h"

#include <algorithm>

#include "replay/CheckInfo.h"

namespace checks {

CheckContext::CheckContext(const CheckData& data)
    : data_(data), channels_(static_cast<int>(Role::Count), -1),
      columns_(static_cast<int>(Role::Count), nullptr) {
    for (int r = 0; r < static_cast<int>(Role::Count); ++r) {
        channels_[r] = ChannelOf(static_cast<Role>(r), data.family());
        if (channels_[r] >= 0) columns_[r] = data.column(channels_[r]);
    }
}

const float* CheckContext::column(Role role) const {
    return columns_[static_cast<int>(role)];
}

bool CheckContext::running(std::size_t poll) const {
    return value(Role::Rpm, poll) >= row(Range::EngineRunningRpm).okLo;
}

bool CheckContext::warm(std::size_t poll) const {
    return value(Role::Coolant, poll) >= row(Range::WarmEngineC).okLo;
}

bool CheckContext::closedLoop(std::size_t poll) const {
    return value(Role::ClosedLoop, poll) > 0.5f;
}

bool CheckContext::warmIdle(std::size_t poll) const {
    const float speed = value(Role::Speed, poll);
    return running(poll) && warm(poll) &&
           value(Role::Throttle, poll) <= row(Range::ClosedThrottlePct).okHi &&
           (std::isnan(speed) || speed <= row(Range::StandingKmh).okHi);
}

std::vector<Run> CheckContext::runs(const std::function<bool(std::size_t)>& condition) const {
    std::vector<Run> out;
    const std::size_t n = data_.polls();
    std::size_t start = n;
    auto close = [&](std::size_t end) {
        if (start < end) {
            Run r;
            r.begin = start;
            r.end = end;
            r.seconds = (data_.timeMs(end - 1) - data_.timeMs(start)) / 1000.0;
            out.push_back(r);
        }
        start = n;
    };
    for (std::size_t i = 0; i < n; ++i) {
        if (data_.breakBefore(i) || !data_.good(i)) close(i);
        if (!data_.good(i)) continue;
        if (condition(i)) {
            if (start == n) start = i;
        } else {
            close(i);
        }
    }
    close(n);
    return out;
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
