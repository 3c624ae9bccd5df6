// Checks 1-6: the oxygen sensor, the closed loop, the coolant, the intake air, the throttle
// and the MAP sensor.
#include "checks/ChecksFamilies.h"

#include <algorithm>
#include <cmath>

namespace checks {

namespace {

// A coolant change is measured over at least this long: the 0.75 °C step of the scale within
// one poll would otherwise read as a jump several times the fastest change.
constexpr double kCoolantRateWindowSeconds = 1.0;
// The first polls after a start, over which a cold start's sensors are compared.
constexpr std::size_t kMostEvidenceSpans = 3;

bool between(double v, const RangeRow& window) {
    return v >= window.okLo && v <= window.okHi;
}

// Runs where the channel reads at either end of its scale, at least SensorPinnedSeconds long.
std::vector<Run> pinnedRuns(const CheckContext& c, Role role) {
    std::vector<Run> pinned;
    const int channel = c.channel(role);
    const float* column = c.column(role);
    if (!column) return pinned;
    double low = 0, high = 0;
    const RangeRow& raw = c.row(Range::SensorPinnedRaw);
    if (!ReadingAtRaw(c.family(), channel, static_cast<int>(raw.okLo), low) ||
        !ReadingAtRaw(c.family(), channel, static_cast<int>(raw.okHi), high))
        return pinned;
    const double least = c.row(Range::SensorPinnedSeconds).okLo;
    for (const Run& r : c.runs([&](std::size_t i) {
             return std::fabs(column[i] - low) < 1e-3 || std::fabs(column[i] - high) < 1e-3;
         }))
        if (r.seconds >= least) pinned.push_back(r);
    return pinned;
}

void addPinned(const CheckContext& c, CheckResult& result, Role role, const std::string& what) {
    const std::vector<Run> pinned = pinnedRuns(c, role);
    if (pinned.empty()) return;
    Figure f = Shown(what + ": показания на краю шкалы (обрыв или замыкание)",
                     CheckContext::seconds(pinned), "с");
    f.judged = true;
    f.range = Range::SensorPinnedSeconds;
    f.verdict = Verdict::Fault;
    result.figures.push_back(f);
    c.addLongest(result, pinned, what + " на краю шкалы", {c.channel(role)}, kMostEvidenceSpans);
}

struct O2Window {
    double seconds = 0;
    int crossings = 0;
    double lo = NAN, hi = NAN;
};

O2Window o2Window(const CheckContext& c, const std::vector<Run>& runs) {
    O2Window w;
    const float* o2 = c.column(Role::Oxygen);
    const double threshold = c.row(Range::O2SwitchMv).okLo;
    for (const Run& r : runs) {
        w.seconds += r.seconds;
        for (std::size_t i = r.begin; i < r.end; ++i) {
            if (std::isnan(o2[i])) continue;
            w.lo = std::isnan(w.lo) ? o2[i] : std::min<double>(w.lo, o2[i]);
            w.hi = std::isnan(w.hi) ? o2[i] : std::max<double>(w.hi, o2[i]);
            if (i > r.begin && !std::isnan(o2[i - 1]) &&
                (o2[i - 1] > threshold) != (o2[i] > threshold))
                ++w.crossings;
        }
    }
    return w;
}

} // namespace

CheckResult CheckOxygenSensor(const CheckContext& c) {
    CheckResult result;
    result.check = Check::OxygenSensor;
    if (!c.has(Role::Oxygen) || !c.has(Role::ClosedLoop)) return result;
    const double least = c.row(Range::O2MinimumSeconds).okLo;
    const RangeRow& steadyRpm = c.row(Range::O2SteadyRpm);
    auto loopWarm = [&](std::size_t i) { return c.running(i) && c.warm(i) && c.closedLoop(i); };
    const std::vector<Run> steady = c.runs(
        [&](std::size_t i) { return loopWarm(i) && between(c.value(Role::Rpm, i), steadyRpm); });
    const std::vector<Run> idle =
        c.runs([&](std::size_t i) { return loopWarm(i) && c.warmIdle(i); });
    const int o2 = c.channel(Role::Oxygen);
    double lo = NAN, hi = NAN;
    struct Part {
        const std::vector<Run>& runs;
        Range range;
        const char* where;
    } parts[] = {
        {steady, Range::O2CrossingsSteady, "при 2000–3000 об/мин"},
        {idle,   Range::O2CrossingsIdle,   "на холостом ходу"}
    };
    for (const Part& p : parts) {
        const O2Window w = o2Window(c, p.runs);
        const bool enough = w.seconds >= least;
        result.figures.push_back(Judged(c, std::string("пересечений 450 мВ за 10 с ") + p.where,
                                        enough ? w.crossings * 10.0 / w.seconds : NAN, p.range));
        if (!enough) continue;
        lo = std::isnan(lo) ? w.lo : std::min(lo, w.lo);
        hi = std::isnan(hi) ? w.hi : std::max(hi, w.hi);
        c.addLongest(result, p.runs, std::string("замкнутая петля ") + p.where,
                     {o2, c.channel(Role::Rpm)}, 2);
    }
    result.figures.push_back(Judged(c, "наибольшее напряжение", hi, Range::O2HighestMv));
    result.figures.push_back(Judged(c, "наименьшее напряжение", lo, Range::O2LowestMv));
    result.verdict = VerdictOf(result.figures);
    const Figure& highest = result.figures[2];
    const Figure& lowest = result.figures[3];
    if (highest.verdict == Verdict::Fault)
        result.notes.push_back("датчик застрял в «бедной» области");
    if (lowest.verdict == Verdict::Fault)
        result.notes.push_back("датчик застрял в «богатой» области");
    if (result.figures[0].verdict > Verdict::Ok && result.figures[0].verdict != Verdict::NoData)
        result.notes.push_back("датчик ленивый: переключается реже нормы");
    else if (result.figures[1].verdict == Verdict::Attention ||
             result.figures[1].verdict == Verdict::Fault)
        result.notes.push_back("датчик ленивый: переключается реже нормы");
    return result;
}

CheckResult CheckClosedLoop(const CheckContext& c) {
    CheckResult result;
    result.check = Check::ClosedLoop;
    if (!c.has(Role::ClosedLoop) || !c.has(Role::Coolant)) return result;
    const CheckData& d = c.data();
    std::size_t warmAt = d.polls(), loopAt = d.polls();
    for (std::size_t i = 0; i < d.polls(); ++i) {
        if (!d.good(i) || !c.running(i)) continue;
        if (warmAt == d.polls() && c.warm(i)) warmAt = i;
        if (warmAt < d.polls() && c.closedLoop(i)) {
            loopAt = i;
            break;
        }
    }
    if (warmAt == d.polls()) return result;
    const std::vector<Run> warmRunning =
        c.runs([&](std::size_t i) { return i >= warmAt && c.running(i); });
    const double warmSeconds = CheckContext::seconds(warmRunning);
    if (loopAt < d.polls()) {
        const double delay = (d.timeMs(loopAt) - d.timeMs(warmAt)) / 1000.0;
        result.figures.push_back(
            Judged(c, "от прогрева до замкнутой петли", delay, Range::ClosedLoopDelaySeconds));
        Run r{warmAt, loopAt + 1, delay};
        result.spans.push_back(c.span(r, "от прогрева до замкнутой петли",
                                      {c.channel(Role::ClosedLoop), c.channel(Role::Coolant)}));
        result.verdict = VerdictOf(result.figures);
    } else if (warmSeconds >= c.row(Range::ClosedLoopMinimumSeconds).okLo) {
        Figure f = Shown("на прогретом двигателе без замкнутой петли", warmSeconds, "с");
        f.judged = true;
        f.range = Range::ClosedLoopMinimumSeconds;
        f.verdict = Verdict::Fault;
        result.figures.push_back(f);
        c.addLongest(result, warmRunning, "прогретый двигатель, петля разомкнута",
                     {c.channel(Role::ClosedLoop), c.channel(Role::Coolant)}, kMostEvidenceSpans);
        result.verdict = Verdict::Fault;
        result.notes.push_back("замкнутая петля не достигнута");
    }
    return result;
}

CheckResult CheckCoolant(const CheckContext& c) {
    CheckResult result;
    result.check = Check::CoolantWarmUp;
    const float* t = c.column(Role::Coolant);
    if (!t) return result;
    const CheckData& d = c.data();
    const int channel = c.channel(Role::Coolant);
    addPinned(c, result, Role::Coolant, "датчик температуры");
    const bool pinned = !result.figures.empty();

    // The fastest change over kCoolantRateWindowSeconds, within runs.
    double fastest = 0;
    std::size_t fastestAt = 0;
    const std::vector<Run> all = c.runs([&](std::size_t i) { return !std::isnan(t[i]); });
    for (const Run& r : all) {
        std::size_t j = r.begin;
        for (std::size_t i = r.begin; i < r.end; ++i) {
            while (j < r.end && (d.timeMs(j) - d.timeMs(i)) / 1000.0 < kCoolantRateWindowSeconds)
                ++j;
            if (j >= r.end) break;
            const double rate = (t[j] - t[i]) / ((d.timeMs(j) - d.timeMs(i)) / 1000.0);
            if (std::fabs(rate) > std::fabs(fastest)) fastest = rate, fastestAt = i;
        }
    }
    const double allSeconds = CheckContext::seconds(all);
    if (allSeconds >= kCoolantRateWindowSeconds && !pinned) {
        result.figures.push_back(
            Judged(c, "самое быстрое изменение", fastest, Range::CoolantStepCPerSecond));
        if (result.figures.back().verdict != Verdict::Ok) {
            Run r{fastestAt, std::min(d.polls(), fastestAt + 16), 0};
            result.spans.push_back(c.span(r, "скачок показаний", {channel}));
        }
    }
    if (pinned) {
        result.verdict = Verdict::Fault;
        return result;
    }

    // The start: cold or not; the time to the thermostat's range.
    std::size_t first = d.polls();
    for (std::size_t i = 0; i < d.polls() && first == d.polls(); ++i)
        if (d.good(i) && !std::isnan(t[i])) first = i;
    if (first == d.polls()) return result;
    const double warmC = c.row(Range::CoolantWarmC).okLo;
    const bool coldStart = t[first] <= c.row(Range::ColdStartC).okHi;
    std::size_t reached = d.polls();
    double highest = t[first];
    for (std::size_t i = first; i < d.polls(); ++i)
        if (d.good(i) && !std::isnan(t[i])) {
            highest = std::max<double>(highest, t[i]);
            if (reached == d.polls() && t[i] >= warmC) reached = i;
        }
    if (coldStart && reached < d.polls()) {
        const double took = (d.timeMs(reached) - d.timeMs(first)) / 1000.0;
        result.figures.push_back(Judged(c, "прогрев до " + std::to_string(int(warmC)) + " °C", took,
                                        Range::CoolantWarmUpSeconds));
        result.spans.push_back(c.span(Run{first, reached + 1, took}, "прогрев", {channel}));
    }

    // Where the coolant levels: the first window of CoolantLevelledSeconds of running with a
    // rise under CoolantLevelledC.
    const double window = c.row(Range::CoolantLevelledSeconds).okLo;
    const double rise = c.row(Range::CoolantLevelledC).okLo;
    double level = NAN;
    const std::vector<Run> runningRuns =
        c.runs([&](std::size_t i) { return c.running(i) && !std::isnan(t[i]); });
    for (const Run& r : runningRuns) {
        if (r.seconds < window || !std::isnan(level)) continue;
        std::size_t j = r.begin;
        for (std::size_t i = r.begin; i < r.end; ++i) {
            while (j < r.end && (d.timeMs(j) - d.timeMs(i)) / 1000.0 < window)
                ++j;
            if (j >= r.end) break;
            if (t[j] - t[i] < rise) {
                level = 0;
                std::size_t count = 0;
                for (std::size_t k = i; k <= j; ++k)
                    level += t[k], ++count;
                level /= count;
                result.spans.push_back(
                    c.span(Run{i, j + 1, window}, "температура установилась", {channel}));
                break;
            }
        }
    }
    if (!std::isnan(level)) {
        result.figures.push_back(
            Judged(c, "установившаяся температура", level, Range::CoolantWarmC));
        if (result.figures.back().verdict == Verdict::Fault && level < warmC)
            result.notes.push_back(
                "двигатель не прогревается до рабочей температуры: термостат открыт");
    }
    if (reached < d.polls() || !std::isnan(level))
        result.figures.push_back(Judged(c, "наибольшая температура", highest, Range::CoolantWarmC));
    result.verdict =
        (reached < d.polls() || !std::isnan(level)) ? VerdictOf(result.figures) : Verdict::NoData;
    // Without the rise or the level, a jump alone still tells.
    if (result.verdict == Verdict::NoData && !result.figures.empty() &&
        VerdictOf(result.figures) > Verdict::Ok && VerdictOf(result.figures) != Verdict::NoData)
        result.verdict = VerdictOf(result.figures);
    return result;
}

CheckResult CheckIntakeAir(const CheckContext& c) {
    CheckResult result;
    result.check = Check::IntakeAir;
    const float* air = c.column(Role::IntakeAir);
    const float* coolant = c.column(Role::Coolant);
    if (!air) return result;
    const CheckData& d = c.data();
    addPinned(c, result, Role::IntakeAir, "датчик температуры воздуха");
    if (!result.figures.empty()) {
        result.verdict = Verdict::Fault;
        return result;
    }
    const int channel = c.channel(Role::IntakeAir);
    // A cold start: the first IntakeMinimumSeconds of the recording with the coolant cold.
    std::size_t first = d.polls();
    for (std::size_t i = 0; i < d.polls() && first == d.polls(); ++i)
        if (d.good(i) && coolant && !std::isnan(coolant[i]) && !std::isnan(air[i])) first = i;
    const double least = c.row(Range::IntakeMinimumSeconds).okLo;
    // A pinned coolant sensor is the coolant check's finding, not a comparison.
    const bool coolantPinned = !pinnedRuns(c, Role::Coolant).empty();
    if (first < d.polls() && !coolantPinned && coolant[first] <= c.row(Range::ColdStartC).okHi) {
        const std::vector<Run> start = c.runs([&](std::size_t i) {
            return i >= first && (d.timeMs(i) - d.timeMs(first)) / 1000.0 <= least;
        });
        if (!start.empty() && start.front().begin == first && start.front().seconds >= least) {
            const Run& r = start.front();
            double diff = 0;
            std::size_t n = 0;
            for (std::size_t i = r.begin; i < r.end; ++i)
                if (!std::isnan(air[i]) && !std::isnan(coolant[i]))
                    diff += air[i] - coolant[i], ++n;
            result.figures.push_back(Judged(c,
                                            "воздух минус охлаждающая жидкость на холодном пуске",
                                            n ? diff / n : NAN, Range::IntakeVsCoolantColdC));
            result.spans.push_back(c.span(r, "холодный пуск", {channel, c.channel(Role::Coolant)}));
        }
    }
    const bool coldJudged = !result.figures.empty();
    const std::vector<Run> running =
        c.runs([&](std::size_t i) { return c.running(i) && !std::isnan(air[i]); });
    if (CheckContext::seconds(running) >= least) {
        double lo = 1e9, hi = -1e9;
        for (const Run& r : running)
            for (std::size_t i = r.begin; i < r.end; ++i)
                lo = std::min<double>(lo, air[i]), hi = std::max<double>(hi, air[i]);
        result.figures.push_back(
            Judged(c, "наименьшая на работающем двигателе", lo, Range::IntakeRunningC));
        result.figures.push_back(
            Judged(c, "наибольшая на работающем двигателе", hi, Range::IntakeRunningC));
    }
    const Verdict v = VerdictOf(result.figures);
    // Without a cold start the comparison that matters is missing: only a finding stands.
    result.verdict =
        coldJudged || v == Verdict::Attention || v == Verdict::Fault ? v : Verdict::NoData;
    return result;
}

CheckResult CheckThrottle(const CheckContext& c) {
    CheckResult result;
    result.check = Check::ThrottleSensor;
    const float* pct = c.column(Role::Throttle);
    const float* volts = c.column(Role::ThrottleV);
    if (!pct || !volts) return result;
    const CheckData& d = c.data();
    const double least = c.row(Range::ThrottleSweepSeconds).okLo;
    const std::vector<Run> idle = c.runs([&](std::size_t i) { return c.warmIdle(i); });
    if (CheckContext::seconds(idle) >= least) {
        result.figures.push_back(Judged(c, "напряжение на холостом ходу", MeanOver(volts, idle),
                                        Range::ThrottleClosedVolts));
        result.figures.push_back(
            Judged(c, "открытие на холостом ходу", MeanOver(pct, idle), Range::ThrottleClosedPct));
        c.addLongest(result, idle, "холостой ход", {c.channel(Role::ThrottleV)}, 1);
    }
    // Sweeps: the throttle open past ThrottleSweepPct; a drop-out is a reading below
    // ThrottleDropoutVolts between two open readings.
    const double open = c.row(Range::ThrottleSweepPct).okLo;
    const double dropV = c.row(Range::ThrottleDropoutVolts).okHi;
    auto isOpen = [&](std::size_t i) { return pct[i] >= open; };
    auto isDrop = [&](std::size_t i) { return volts[i] < dropV; };
    const std::vector<Run> sweeps = c.runs([&](std::size_t i) { return isOpen(i) || isDrop(i); });
    double sweepSeconds = 0;
    int dropouts = 0;
    std::vector<uint32_t> marks;
    for (const Run& r : sweeps) {
        bool seenOpen = false;
        for (std::size_t i = r.begin; i < r.end; ++i) {
            if (isOpen(i) && !isDrop(i)) {
                seenOpen = true;
                continue;
            }
            if (!seenOpen || (i > r.begin && isDrop(i - 1))) continue;
            std::size_t j = i;
            while (j < r.end && isDrop(j))
                ++j;
            if (j < r.end && isOpen(j)) ++dropouts, marks.push_back(d.timeMs(i));
        }
        if (seenOpen) sweepSeconds += r.seconds;
    }
    if (sweepSeconds >= least) {
        result.figures.push_back(
            Judged(c, "провалов сигнала при открытом дросселе", dropouts, Range::ThrottleDropouts));
        result.figures.push_back(Shown("открытый дроссель", sweepSeconds, "с"));
        const std::size_t before = result.spans.size();
        c.addLongest(result, sweeps, "открытие дросселя",
                     {c.channel(Role::ThrottleV), c.channel(Role::Throttle)}, kMostEvidenceSpans);
        for (std::size_t k = before; k < result.spans.size(); ++k)
            for (uint32_t m : marks)
                if (m >= result.spans[k].fromMs && m <= result.spans[k].toMs)
                    result.spans[k].marks.push_back(m);
    }
    result.verdict = VerdictOf(result.figures);
    return result;
}

CheckResult CheckMap(const CheckContext& c) {
    CheckResult result;
    result.check = Check::MapSensor;
    const float* map = c.column(Role::Map);
    if (!map) return result;
    addPinned(c, result, Role::Map, "датчик давления");
    if (!result.figures.empty()) {
        result.verdict = Verdict::Fault;
        return result;
    }
    const double least = c.row(Range::MapMinimumSeconds).okLo;
    const float* baro = c.column(Role::Baro);
    const RangeRow& versus = c.row(Range::MapVsBaroKpa);
    if (baro && versus.kind == Kind::Band) {
        const std::vector<Run> off = c.runs([&](std::size_t i) {
            return c.value(Role::Rpm, i) <= c.row(Range::EngineStoppedRpm).okHi;
        });
        if (CheckContext::seconds(off) >= least) {
            result.figures.push_back(Judged(c, "MAP минус BARO при неработающем двигателе",
                                            MeanOver(map, off) - MeanOver(baro, off),
                                            Range::MapVsBaroKpa));
            c.addLongest(result, off, "зажигание включено, двигатель не работает",
                         {c.channel(Role::Map), c.channel(Role::Baro)}, 1);
        }
    }
    const std::vector<Run> idle = c.runs([&](std::size_t i) { return c.warmIdle(i); });
    if (CheckContext::seconds(idle) >= least) {
        result.figures.push_back(Judged(c, "разрежение на прогретом холостом ходу",
                                        MeanOver(map, idle), Range::MapWarmIdleKpa));
        c.addLongest(result, idle, "прогретый холостой ход", {c.channel(Role::Map)}, 1);
    }
    result.verdict = VerdictOf(result.figures);
    return result;
}

} // namespace checks
