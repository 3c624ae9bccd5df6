// The checks of the live session: the ring the link taps judges exactly as the recording of the
// same replies does (the recorder in the taps' other slot makes it; the analysis loads it), its
// bound keeps what a recording's span of its last polls holds, and another car or ECU family
// starts it afresh.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "analysis/RecordingLoader.h"
#include "checks/CheckInfo.h"
#include "checks/Checks.h"
#include "checks/LiveCheckRing.h"
#include "checks/LiveChecksView.h"
#include "link/AdapterAdvice.h"
#include "link/CommandFrames.h"
#include "link/LinkTaps.h"
#include "record/Recorder.h"
#include "tests/native/record_fixture.h"
#include "tools/ecusim/EcuSimulator.h"
#include "tools/ecusim/EngineFaults.h"

using checks::Check;
using checks::Verdict;

namespace {

constexpr int64_t kStartMs = 5000000; // the link's clock when the session begins

struct Step {
    enum What { Command, ClearCodes, Codes, Stop, Start };
    double atSeconds;
    What what;
    int slot = 0;   // Command: the row of the family's table with this slot; -1 return control
    int target = 0; // an idle target's byte
    uint8_t codeByte1 = 0;
};

struct Session {
    const char* name;
    int family;
    const char* faults;
    double startCoolantC, seconds, every;
    int dropEvery; // every n-th poll gets no answer (0: none)
    std::vector<Step> steps;
    Check check; // a check that must find something here, so that the two agree on substance
    Verdict verdict;
};

// The simulated car polled as the link cycle polls it, each judged reply and each command
// handed to the taps as the cycle hands them; a STOP's pause sends no poll.
class Drive {
  public:
    Drive(const Session& s, LinkTaps& taps, int64_t& clock) : s_(s), taps_(taps), clock_(clock) {
        settings_.family = s.family;
        EXPECT_TRUE(ecusim::parseEngineFaults(s.faults, settings_.engineFaults));
        if (s.dropEvery) settings_.fault = ecusim::Fault::Drop, settings_.faultCount = s.dropEvery;
        sim_ = std::make_unique<ecusim::EcuSimulator>(settings_, 7, s.startCoolantC);
    }

    // onStop/onStart: what the main window tells the listeners at STOP and START.
    template <typename Stop, typename Start> void run(Stop onStop, Start onStart) {
        std::size_t next = 0;
        bool stopped = false;
        const CommandTable table = FamilyCommandTable(s_.family);
        for (double t = s_.every; t <= s_.seconds + 1e-9; t += s_.every) {
            sim_->advanceTime(s_.every);
            clock_ = kStartMs + static_cast<int64_t>(t * 1000 + 0.5);
            for (; next < s_.steps.size() && s_.steps[next].atSeconds <= t; ++next) {
                const Step& step = s_.steps[next];
                if (step.what == Step::Stop) stopped = true, onStop();
                if (step.what == Step::Start) stopped = false, onStart();
                if (step.what == Step::Codes) {
                    settings_.codes[0] = step.codeByte1;
                    sim_->apply(settings_);
                }
                if (step.what == Step::ClearCodes) {
                    send(BuildCommandFrame(ClearCodesFrame(s_.family), 0));
                    taps_.clearCodesSent();
                }
                if (step.what == Step::Command) {
                    const CommandFrameRow* row = &ReturnControlFrame();
                    for (int k = 0; k < table.count; ++k)
                        if (step.slot >= 0 && table.rows[k].slot == step.slot) row = &table.rows[k];
                    const CommandFrame frame = BuildCommandFrame(*row, step.target);
                    send(frame);
                    taps_.commandExchanged(frame.data(), frame.size(), CommandOutcome::Confirmed);
                }
            }
            if (!stopped) poll();
        }
    }

  private:
    void send(const CommandFrame& frame) { sim_->receive(frame.data(), frame.size()); }

    void poll() {
        static const uint8_t request[] = {0xF4, 0x56, 0x01, 0xB5};
        std::memset(buffer_, 0, sizeof buffer_);
        int at = 0;
        for (const ecusim::Transmit& out : sim_->receive(request, 4).out)
            for (uint8_t b : out.bytes)
                if (at < kReplyBufferSize) buffer_[at++] = b;
        JudgedReply reply;
        reply.timeMs = clock_;
        reply.received = at;
        reply.outcome = at == kGoodReplySize ? PollOutcome::GoodReply : PollOutcome::NoAnswer;
        reply.buffer = buffer_;
        taps_.replyJudged(reply);
    }

    const Session& s_;
    LinkTaps& taps_;
    int64_t& clock_;
    ecusim::Settings settings_;
    std::unique_ptr<ecusim::EcuSimulator> sim_;
    uint8_t buffer_[kReplyBufferSize] = {};
};

const VehicleChoice kNexia{3, 0, 1};

// The session through the taps: the recording of it (loaded as the analysis window loads it)
// and the live ring of it.
struct Both {
    std::shared_ptr<const analysis::AnalysedRecording> recording;
    std::unique_ptr<checks::LiveCheckRing> ring;
};

Both RunSession(const Session& s, std::size_t capacity = checks::kLiveCapacity,
                int64_t spanMs = checks::kLiveSpanMs) {
    int64_t clock = kStartMs;
    MemoryFile file;
    Recorder recorder(
        file, [&] { return clock; }, 1 << 17);
    Both both;
    const int family = s.family;
    both.ring = std::make_unique<checks::LiveCheckRing>([family] { return family; },
                                                        [&] { return clock; }, capacity, spanMs);
    LinkTaps taps;
    taps.set(TapSlot::Recording, &recorder, nullptr);
    taps.set(TapSlot::Checks, both.ring.get(), both.ring.get());
    // Commands reach the recorder as the record control words them.
    struct Commands : CommandSink {
        Recorder& r;
        int64_t& clock;
        Commands(Recorder& r, int64_t& clock) : r(r), clock(clock) {}
        void commandExchanged(const uint8_t* f, std::size_t n, CommandOutcome) override {
            r.commandSent(clock, f, n, recfile::CommandVerdict::Confirmed);
        }
        void clearCodesSent() override { r.clearCodesRequested(clock); }
    } commands(recorder, clock);
    taps.set(TapSlot::Recording, &recorder, &commands);

    recfile::RecordingHeader header;
    header.car = "NEXIA";
    header.family = s.family;
    clock = kStartMs + static_cast<int64_t>(s.every * 1000 + 0.5); // the first poll's time
    EXPECT_EQ(recorder.start("live.mrec", header, LocalTime{}, clock), FileError::None);
    recorder.linkStarted(clock);
    both.ring->linkStarted(kNexia);
    Drive drive(s, taps, clock);
    drive.run(
        [&] {
            recorder.linkStopped(clock);
            both.ring->linkStopped();
        },
        [&] {
            recorder.linkStarted(clock);
            both.ring->linkStarted(kNexia);
        });
    EXPECT_EQ(recorder.stop().dropped, 0);
    analysis::MemoryByteSource source(file.written);
    analysis::LoadControl control;
    both.recording = analysis::LoadRecording(source, control).recording;
    EXPECT_TRUE(both.recording);
    return both;
}

bool Same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// Everything a check says, the evidence's polls taken from where each data begins.
void ExpectSameResults(const std::vector<checks::CheckResult>& live,
                       const std::vector<checks::CheckResult>& recorded, std::size_t liveFirst,
                       std::size_t recordedFirst) {
    ASSERT_EQ(live.size(), recorded.size());
    for (std::size_t k = 0; k < live.size(); ++k) {
        const checks::CheckResult &a = live[k], &b = recorded[k];
        SCOPED_TRACE(checks::InfoOf(a.check)->id);
        EXPECT_EQ(a.verdict, b.verdict);
        EXPECT_EQ(a.notes, b.notes);
        ASSERT_EQ(a.figures.size(), b.figures.size());
        for (std::size_t f = 0; f < a.figures.size(); ++f) {
            EXPECT_EQ(a.figures[f].name, b.figures[f].name);
            EXPECT_TRUE(Same(a.figures[f].value, b.figures[f].value))
                << a.figures[f].name << ": " << a.figures[f].value << " vs " << b.figures[f].value;
            EXPECT_EQ(a.figures[f].range, b.figures[f].range);
            EXPECT_EQ(a.figures[f].verdict, b.figures[f].verdict);
        }
        ASSERT_EQ(a.spans.size(), b.spans.size());
        for (std::size_t s = 0; s < a.spans.size(); ++s) {
            EXPECT_EQ(a.spans[s].beginPoll - liveFirst, b.spans[s].beginPoll - recordedFirst);
            EXPECT_EQ(a.spans[s].endPoll - liveFirst, b.spans[s].endPoll - recordedFirst);
            EXPECT_EQ(a.spans[s].fromMs, b.spans[s].fromMs);
            EXPECT_EQ(a.spans[s].toMs, b.spans[s].toMs);
            EXPECT_EQ(a.spans[s].marks, b.spans[s].marks);
        }
    }
}

// clang-format off
const Session kSessions[] = {
    // A cold start warming up, a code that comes and is cleared, the actuators, a STOP.
    {"cold start, family 1", 1, "none", 20, 1500, 0.5, 40,
     {{30, Step::Command, 2}, {50, Step::Command, 9, 160}, {70, Step::Command, -1},
      {200, Step::Codes, 0, 0, 0x81}, {400, Step::ClearCodes}, {600, Step::Stop},
      {612, Step::Start}},
     Check::TroubleCodes, Verdict::Attention},
    {"lazy oxygen sensor, family 4", 4, "o2-lazy", 85, 240, 0.125, 0,
     {{100, Step::Stop}, {103, Step::Start}},
     Check::OxygenSensor, Verdict::Attention},
    {"weak charging, throttle drop-outs, family 2", 2, "charging-weak,tps-dropout", 85, 180, 0.125,
     25, {}, Check::Charging, Verdict::Fault},
};
// clang-format on

bool AtLeast(Verdict v, Verdict lowest) {
    return lowest == Verdict::Fault ? v == Verdict::Fault
                                    : v == Verdict::Attention || v == Verdict::Fault;
}

} // namespace

TEST(LiveChecks, TheRingJudgesAsTheRecordingOfTheSameReplies) {
    for (const Session& s : kSessions) {
        SCOPED_TRACE(s.name);
        Both both = RunSession(s);
        ASSERT_TRUE(both.recording);
        checks::LiveCheckData live;
        both.ring->snapshot(live);
        ASSERT_EQ(live.polls(), both.recording->pollCount());
        EXPECT_EQ(live.family(), s.family);
        const auto recorded = checks::RunChecks(checks::RecordingCheckData(*both.recording));
        const auto judged = checks::RunChecks(live);
        ExpectSameResults(judged, recorded, 0, 0);
        EXPECT_TRUE(AtLeast(judged[static_cast<int>(s.check)].verdict, s.verdict));
        // The breaks are the recording's, and there is one after each START that followed a STOP.
        std::size_t breaks = 0;
        for (std::size_t i = 0; i < live.polls(); ++i) {
            EXPECT_EQ(live.breakBefore(i), both.recording->breakBefore(i)) << i;
            breaks += live.breakBefore(i);
        }
        std::size_t starts = 0;
        for (const Step& step : s.steps)
            starts += step.what == Step::Start;
        EXPECT_EQ(breaks, starts);
    }
}

// The ring bounded by its count and by its time holds the last polls, as a span of the
// recording ending at its last poll: the same verdicts and figures, events before it let go.
TEST(LiveChecks, ABoundedRingJudgesAsTheSpanOfTheLastPolls) {
    struct Bound {
        std::size_t capacity;
        int64_t spanMs;
        std::size_t held; // polls of kSessions[0] it keeps: 2976 in all, a STOP's 24 left out
    };
    const Bound kBounds[] = {
        {1000,   checks::kLiveSpanMs, 1000},
        {100000, 300000,              601 }, // five minutes at two polls a second, both ends in
    };
    for (const Bound& b : kBounds) {
        SCOPED_TRACE(b.capacity);
        Both both = RunSession(kSessions[0], b.capacity, b.spanMs);
        ASSERT_TRUE(both.recording);
        checks::LiveCheckData live;
        both.ring->snapshot(live);
        const std::size_t all = both.recording->pollCount();
        ASSERT_EQ(live.polls(), b.held);
        EXPECT_EQ(live.dropped(), all - b.held);
        const std::size_t first = all - b.held;
        EXPECT_EQ(live.timeMs(0), both.recording->time(first));
        const checks::RecordingCheckData span(*both.recording, first, all);
        EXPECT_EQ(live.events().size(), span.events().size());
        ExpectSameResults(checks::RunChecks(live), checks::RunChecks(span), 0, first);
    }
}

TEST(LiveChecks, AnotherCarOrFamilyStartsTheSessionAfresh) {
    int family = 1;
    int64_t clock = 0;
    checks::LiveCheckRing ring([&] { return family; }, [&] { return clock; });
    uint8_t buffer[kReplyBufferSize] = {0xF4, 0x56, 0x01, 0xB5};
    auto poll = [&](int n) {
        for (int i = 0; i < n; ++i) {
            clock += 125;
            JudgedReply r{clock, PollOutcome::GoodReply, kGoodReplySize, buffer};
            ring.replyJudged(r);
        }
    };
    checks::LiveCheckData data;
    ring.linkStarted(kNexia);
    poll(10);
    ring.linkStopped();
    ring.linkStarted(kNexia); // the same car again: a break, the session goes on
    poll(5);
    ring.snapshot(data);
    EXPECT_EQ(data.polls(), 15u);
    EXPECT_TRUE(data.breakBefore(10));
    ring.linkStopped();
    ring.linkStarted({4, 0, 1}); // another car of the same family
    ring.snapshot(data);
    EXPECT_EQ(data.polls(), 0u);
    poll(3);
    family = 2; // another engine's family, as the link thread reads it
    poll(4);
    ring.snapshot(data);
    EXPECT_EQ(data.polls(), 4u);
    EXPECT_EQ(data.family(), 2);
    EXPECT_EQ(data.timeMs(0), 0u);
    EXPECT_EQ(data.dropped(), 0u);
}

// The window's words: each check once with its verdict, the figures with the ranges they were
// judged by, and under «нет данных» what to do first.
TEST(LiveChecksView, EachCheckWithItsFiguresRangesAndForNoDataItsInstruction) {
    Both both = RunSession(kSessions[2]);
    checks::LiveCheckData live;
    both.ring->snapshot(live);
    const auto results = checks::RunChecks(live);
    const checks::ChecksView view = checks::ViewOfChecks(results, live);
    std::size_t at = 0;
    for (const checks::CheckResult& r : results) {
        SCOPED_TRACE(checks::InfoOf(r.check)->id);
        ASSERT_LT(at, view.lines.size());
        EXPECT_EQ(view.lines[at].kind, checks::LineKind::Check);
        EXPECT_EQ(view.lines[at].text, checks::InfoOf(r.check)->title);
        EXPECT_EQ(view.lines[at].verdictText, checks::VerdictText(r.verdict));
        ++at;
        if (r.verdict == Verdict::NoData) {
            ASSERT_LT(at, view.lines.size());
            EXPECT_EQ(view.lines[at].kind, checks::LineKind::Instruction);
            EXPECT_EQ(view.lines[at].text, checks::InfoOf(r.check)->noData);
        }
        while (at < view.lines.size() && view.lines[at].kind != checks::LineKind::Check) {
            if (view.lines[at].judged) {
                EXPECT_NE(view.lines[at].text.find("; норма "), std::string::npos)
                    << view.lines[at].text;
            }
            ++at;
        }
    }
    EXPECT_EQ(at, view.lines.size());

    const auto adapter = checks::AdapterLines("Com3", {"USB\\VID_0403&PID_6001", 16});
    ASSERT_GE(adapter.size(), 3u);
    EXPECT_EQ(adapter[0], "Порт COM3: микросхема адаптера FTDI, задержка (Latency Timer) 16 мс");
    EXPECT_EQ(adapter[1] + "\n" + adapter[2], AdapterAdvice({"USB\\VID_0403&PID_6001", 16}));
}
