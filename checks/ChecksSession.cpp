// Checks 10-12: the link, the trouble codes and the actuators' responses to commands.
#include <algorithm>
#include <cmath>
#include <string>

#include "link/CommandFrames.h"
#include "checks/CheckInfo.h"
#include "checks/Checks.h"
#include "checks/ChecksFamilies.h"

namespace checks {

namespace {

// The idle-speed frame carries its target in byte 10, in steps of 6.25 rpm
// (link/DesiredIdle.h).
constexpr double kIdleTargetStepRpm = 6.25;
constexpr int kTargetByte = 10;
constexpr std::size_t kMostBursts = 3;

const char* outcomeText(PollOutcome o) {
    switch (o) {
    case PollOutcome::GoodReply:
        return "ответ";
    case PollOutcome::NoAnswer:
        return "нет ответа";
    case PollOutcome::WrongEcho:
        return "неверное эхо";
    case PollOutcome::LinkBroken:
        return "связь прервана";
    case PollOutcome::NotPolled:
        return "порт не открыт";
    }
    return "";
}

// Frame bytes 3..12 against a row's data, byte 10 left out for a template.
bool frameIs(const std::vector<uint8_t>& frame, const CommandFrameRow& row) {
    if (frame.size() < kCommandFrameSize) return false;
    for (int k = 0; k < 10; ++k) {
        if (row.target != FrameTarget::None && k + 3 == kTargetByte) continue;
        if (frame[3 + k] != row.data[k]) return false;
    }
    return true;
}

} // namespace

CheckResult CheckLink(const CheckContext& c) {
    CheckResult result;
    result.check = Check::LinkQuality;
    const CheckData& d = c.data();
    // The link's time: from poll to poll, a STOP's pause left out.
    double seconds = 0;
    std::size_t failed = 0, counted[5] = {};
    std::size_t longest = 0, runStart = 0, run = 0;
    std::vector<Run> bursts;
    const double burstFrom = c.row(Range::LinkNoAnswerRun).okHi + 1;
    auto endRun = [&](std::size_t i) {
        if (run >= burstFrom)
            bursts.push_back(Run{runStart, i, (d.timeMs(i - 1) - d.timeMs(runStart)) / 1000.0});
        run = 0;
    };
    for (std::size_t i = 0; i < d.polls(); ++i) {
        if (i > 0 && !d.breakBefore(i)) seconds += (d.timeMs(i) - d.timeMs(i - 1)) / 1000.0;
        if (d.breakBefore(i) && run) endRun(i);
        const PollOutcome o = d.outcome(i);
        ++counted[std::min<int>(static_cast<int>(o), 4)];
        if (d.good(i)) {
            if (run) endRun(i);
            continue;
        }
        ++failed;
        if (run == 0) runStart = i;
        longest = std::max(longest, ++run);
    }
    if (run) endRun(d.polls());
    if (seconds < c.row(Range::LinkMinimumSeconds).okLo) return result;
    const double pollsPerSecond = (d.polls() - 1) / seconds;
    const double failedPct = 100.0 * failed / d.polls();
    result.figures.push_back(
        Judged(c, "опросов в секунду", pollsPerSecond, Range::LinkPollsPerSecond));
    result.figures.push_back(
        Shown("предел линии", c.row(Range::LinkWirePollsPerSecond).okLo, "1/с"));
    result.figures.push_back(Judged(c, "неудачных опросов", failedPct, Range::LinkFailedPct));
    result.figures.push_back(
        Judged(c, "самая длинная серия без ответа", double(longest), Range::LinkNoAnswerRun));
    for (int o = 1; o < 5; ++o)
        if (counted[o])
            result.figures.push_back(
                Shown(std::string("опросов: ") + outcomeText(static_cast<PollOutcome>(o)),
                      double(counted[o]), "опрос"));
    c.addLongest(result, bursts, "серия опросов без ответа", {}, kMostBursts);
    result.verdict = VerdictOf(result.figures);

    // The advice that fits what went wrong.
    std::vector<LinkAdvice> advice;
    const std::size_t wrongEcho = counted[static_cast<int>(PollOutcome::WrongEcho)];
    const std::size_t notPolled = counted[static_cast<int>(PollOutcome::NotPolled)];
    if (result.figures[3].verdict == Verdict::Fault) advice.push_back(LinkAdvice::Ignition);
    if (result.figures[2].verdict != Verdict::Ok) {
        if (wrongEcho + notPolled > failed / 2)
            advice.push_back(LinkAdvice::Adapter);
        else
            advice.push_back(LinkAdvice::Wiring);
    }
    if (result.figures[0].verdict != Verdict::Ok && result.figures[2].verdict == Verdict::Ok)
        advice.push_back(LinkAdvice::UsbLatency);
    for (LinkAdvice a : advice)
        result.notes.push_back(LinkAdviceText(a));
    return result;
}

CheckResult CheckTroubleCodes(const CheckContext& c) {
    CheckResult result;
    result.check = Check::TroubleCodes;
    const CheckData& d = c.data();
    std::size_t replies = 0;
    for (std::size_t i = 0; i < d.polls(); ++i)
        replies += d.good(i);
    if (replies < c.row(Range::TroubleCodesMinimumReplies).okLo) return result;
    const std::vector<SessionCode> codes = SessionCodes(d);
    result.figures.push_back(
        Judged(c, "кодов за сеанс", double(codes.size()), Range::TroubleCodesStored));
    for (const SessionCode& code : codes) {
        std::string line = code.label + " " + code.text;
        std::string what;
        if (code.appeared) what += "появился";
        if (code.gone) what += std::string(what.empty() ? "" : ", ") + "пропал";
        if (code.cleared) what += std::string(what.empty() ? "" : ", ") + "стёрт";
        if (what.empty()) what = "был весь сеанс";
        result.notes.push_back(line + " (" + what + ")");
    }
    for (const CheckEvent& e : d.events())
        if (e.kind == CheckEvent::Kind::CodeAppeared || e.kind == CheckEvent::Kind::CodeGone) {
            EvidenceSpan s;
            s.fromMs = s.toMs = e.timeMs;
            s.marks.push_back(e.timeMs);
            s.label = e.kind == CheckEvent::Kind::CodeAppeared ? "код появился" : "код пропал";
            for (std::size_t i = 0; i < d.polls(); ++i)
                if (d.timeMs(i) >= e.timeMs) {
                    s.beginPoll = d.firstPollIndex() + i;
                    s.endPoll = s.beginPoll + 1;
                    break;
                }
            result.spans.push_back(s);
        }
    result.verdict = VerdictOf(result.figures);
    return result;
}

CheckResult CheckActuators(const CheckContext& c) {
    CheckResult result;
    result.check = Check::Actuators;
    const CheckData& d = c.data();
    const CommandTable table = FamilyCommandTable(c.family());
    const double least = c.row(Range::ActuatorMinimumSeconds).okLo;
    const double tolerance = c.row(Range::IdleTargetToleranceRpm).okLo;
    auto firstPollAfter = [&](uint32_t t) {
        std::size_t i = 0;
        while (i < d.polls() && d.timeMs(i) <= t)
            ++i;
        return i;
    };
    for (const CheckEvent& e : d.events()) {
        if (e.kind != CheckEvent::Kind::Command || e.verdict != recfile::CommandVerdict::Confirmed)
            continue;
        const CommandFrameRow* row = nullptr;
        for (int k = 0; k < table.count && !row; ++k)
            if (frameIs(e.frame, table.rows[k])) row = &table.rows[k];
        const bool giveBack = !row && frameIs(e.frame, ReturnControlFrame());
        const bool fanOn = row && row->slot == 2;
        const bool idleTarget = row && row->target == FrameTarget::Idle;
        if (!fanOn && !idleTarget && !giveBack) continue;
        const std::size_t from = firstPollAfter(e.timeMs);
        // The first good poll where the response shows, and the replies seen after the command.
        std::size_t answered = d.polls(), last = from;
        double target = NAN;
        if (idleTarget) target = e.frame[kTargetByte] * kIdleTargetStepRpm;
        for (std::size_t i = from; i < d.polls(); ++i) {
            if ((d.timeMs(i) - e.timeMs) / 1000.0 > least) break;
            if (!d.good(i)) continue;
            last = i;
            bool shows = false;
            if (fanOn) shows = c.value(Role::Fan, i) > 0.5f;
            if (idleTarget) shows = std::fabs(c.value(Role::Rpm, i) - target) <= tolerance;
            if (giveBack)
                shows =
                    std::fabs(c.value(Role::Rpm, i) - c.value(Role::DesiredIdle, i)) <= tolerance;
            if (shows) {
                answered = i;
                break;
            }
        }
        const double seen =
            from < d.polls() && last >= from ? (d.timeMs(last) - e.timeMs) / 1000.0 : 0;
        const Range range = fanOn        ? Range::FanResponseSeconds
                            : idleTarget ? Range::IdleTargetSeconds
                                         : Range::ReturnControlSeconds;
        const char* name = fanOn ? "вентилятор включён: флаг FAN через"
                           : idleTarget ? "задание оборотов: FREQ достигнуты через"
                                        : "возврат управления ЭБУ: обороты вернулись через";
        double took = NAN;
        if (answered < d.polls())
            took = (d.timeMs(answered) - e.timeMs) / 1000.0;
        else if (seen >= least)
            took = INFINITY; // replies enough, and no response
        result.figures.push_back(Judged(c, name, took, range));
        if (from < d.polls()) {
            EvidenceSpan s = c.span(
                Run{from, std::max(from + 1, (answered < d.polls() ? answered : last) + 1), 0},
                name, {fanOn ? c.channel(Role::Fan) : c.channel(Role::Rpm)});
            s.marks.push_back(e.timeMs);
            result.spans.push_back(s);
        }
        if (std::isinf(took)) result.notes.push_back(std::string(name) + " — не дождались отклика");
    }
    result.verdict = VerdictOf(result.figures);
    return result;
}

} // namespace checks
