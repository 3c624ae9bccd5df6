// Checks 7-9: the idle, the charging and the fuel trim.
#include <cmath>
#include <functional>

#include "checks/CheckInfo.h"
#include "checks/ChecksFamilies.h"

namespace checks {

namespace {

// A warm idle is judged from this long after the throttle closes: the speed coming down from
// a blip is not the idle's own swing.
constexpr double kIdleSettleSeconds = 3.0;

// The runs cut by their first `settle` seconds.
std::vector<Run> settled(const CheckData& d, const std::vector<Run>& runs, double settle) {
    std::vector<Run> out;
    for (Run r : runs) {
        const uint32_t from = d.timeMs(r.begin);
        while (r.begin < r.end && (d.timeMs(r.begin) - from) / 1000.0 < settle)
            ++r.begin;
        if (r.begin >= r.end) continue;
        r.seconds = (d.timeMs(r.end - 1) - d.timeMs(r.begin)) / 1000.0;
        out.push_back(r);
    }
    return out;
}

double percentOf(double counts, double centre) {
    return std::isnan(counts) ? NAN : (counts - centre) / centre * 100.0;
}

} // namespace

CheckResult CheckIdle(const CheckContext& c) {
    CheckResult result;
    result.check = Check::Idle;
    const float* rpm = c.column(Role::Rpm);
    const float* desired = c.column(Role::DesiredIdle);
    if (!rpm || !desired) return result;
    const std::vector<Run> idle =
        settled(c.data(), c.runs([&](std::size_t i) { return c.warmIdle(i); }), kIdleSettleSeconds);
    if (CheckContext::seconds(idle) < c.row(Range::IdleMinimumSeconds).okLo) return result;
    double sum = 0, squares = 0;
    std::size_t n = 0;
    for (const Run& r : idle)
        for (std::size_t i = r.begin; i < r.end; ++i)
            if (!std::isnan(rpm[i]) && !std::isnan(desired[i])) {
                const double diff = rpm[i] - desired[i];
                sum += diff, squares += diff * diff, ++n;
            }
    const double mean = n ? sum / n : NAN;
    const double spread = n ? std::sqrt(std::max(0.0, squares / n - mean * mean)) : NAN;
    result.figures.push_back(Judged(c, "обороты минус желаемые", mean, Range::IdleRpmFromDesired));
    result.figures.push_back(Judged(c, "разброс оборотов", spread, Range::IdleRpmSpread));
    result.figures.push_back(Shown("желаемые обороты", MeanOver(desired, idle), "об/мин"));
    if (c.has(Role::IdleAir))
        result.figures.push_back(Judged(c, "положение РДВ", MeanOver(c.column(Role::IdleAir), idle),
                                        Range::IdleAirControlSteps));
    c.addLongest(result, idle, "прогретый холостой ход",
                 {c.channel(Role::Rpm), c.channel(Role::DesiredIdle), c.channel(Role::IdleAir)}, 2);
    if (result.figures[1].verdict == Verdict::Attention ||
        result.figures[1].verdict == Verdict::Fault)
        result.notes.push_back("неустойчивый холостой ход");
    result.verdict = VerdictOf(result.figures);
    return result;
}

CheckResult CheckCharging(const CheckContext& c) {
    CheckResult result;
    result.check = Check::Charging;
    const float* volts = c.column(Role::Battery);
    if (!volts) return result;
    const std::vector<Run> running =
        c.runs([&](std::size_t i) { return c.running(i) && !std::isnan(volts[i]); });
    if (CheckContext::seconds(running) < c.row(Range::ChargingMinimumSeconds).okLo) return result;
    double lo = 1e9, hi = -1e9;
    for (const Run& r : running)
        for (std::size_t i = r.begin; i < r.end; ++i)
            lo = std::min<double>(lo, volts[i]), hi = std::max<double>(hi, volts[i]);
    const double mean = MeanOver(volts, running);
    result.figures.push_back(
        Judged(c, "напряжение при работающем двигателе", mean, Range::ChargingVolts));
    result.figures.push_back(Shown("наименьшее", lo, "В"));
    result.figures.push_back(Shown("наибольшее", hi, "В"));
    c.addLongest(result, running, "двигатель работает", {c.channel(Role::Battery)}, 1);
    const RangeRow& band = c.row(Range::ChargingVolts);
    if (mean < band.okLo)
        result.notes.push_back(
            "генератор не заряжает батарею: проверьте ремень, генератор, провода");
    if (mean > band.okHi) result.notes.push_back("перезаряд: проверьте регулятор напряжения");
    result.verdict = VerdictOf(result.figures);
    return result;
}

CheckResult CheckFuelTrim(const CheckContext& c) {
    CheckResult result;
    result.check = Check::FuelTrim;
    const float* learn = c.column(Role::Learn);
    const float* integrator = c.column(Role::Integrator);
    if (!learn || !integrator || !c.has(Role::ClosedLoop)) return result;
    const double centre = c.row(Range::TrimCentreCounts).okLo;
    const double least = c.row(Range::TrimMinimumSeconds).okLo;
    const RangeRow& partRpm = c.row(Range::TrimPartLoadRpm);
    const RangeRow& cruise = c.row(Range::TrimCruiseKmh);
    auto loop = [&](std::size_t i) { return c.running(i) && c.warm(i) && c.closedLoop(i); };
    auto speed = [&](std::size_t i) {
        const float s = c.value(Role::Speed, i);
        return std::isnan(s) ? 0.0 : double(s);
    };
    struct Region {
        const char* name;
        std::function<bool(std::size_t)> in;
    } regions[] = {
        {"холостой ход",             [&](std::size_t i) { return loop(i) && c.warmIdle(i); }},
        {"частичная нагрузка",
         [&](std::size_t i) {
             const double r = c.value(Role::Rpm, i);
             return loop(i) && r >= partRpm.okLo && r <= partRpm.okHi && speed(i) < cruise.okLo;
         }                                                                                             },
        {"движение",
         [&](std::size_t i) {
             return loop(i) && speed(i) >= cruise.okLo && speed(i) <= cruise.okHi;
         }                                                                                             },
    };
    double worst = 0;
    for (const Region& region : regions) {
        const std::vector<Run> runs = c.runs(region.in);
        const bool enough = CheckContext::seconds(runs) >= least;
        const double l = enough ? percentOf(MeanOver(learn, runs), centre) : NAN;
        const double n = enough ? percentOf(MeanOver(integrator, runs), centre) : NAN;
        result.figures.push_back(
            Judged(c, std::string("LEARN, ") + region.name, l, Range::TrimLearnPct));
        result.figures.push_back(
            Judged(c, std::string("INT, ") + region.name, n, Range::TrimIntegratorPct));
        if (!enough) continue;
        for (double v : {l, n})
            if (std::fabs(v) > std::fabs(worst)) worst = v;
        c.addLongest(result, runs, std::string("замкнутая петля, ") + region.name,
                     {c.channel(Role::Learn), c.channel(Role::Integrator)}, 1);
    }
    result.verdict = VerdictOf(result.figures);
    if (result.verdict == Verdict::Attention || result.verdict == Verdict::Fault) {
        const TrimDirection direction = worst > 0 ? TrimDirection::Lean : TrimDirection::Rich;
        result.notes.push_back(direction == TrimDirection::Lean
                                   ? "ЭБУ добавляет топливо (смесь бедная); обычные причины:"
                                   : "ЭБУ убавляет топливо (смесь богатая); обычные причины:");
        int count = 0;
        const char* const* hints = TrimHints(direction, count);
        for (int k = 0; k < count; ++k)
            result.notes.push_back(std::string("– ") + hints[k]);
    }
    return result;
}

} // namespace checks
