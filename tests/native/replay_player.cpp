// Playing a recording back: the clock and speeds, the order of replies and
// sampling ticks, seeks that refill the charts exactly as a live run would have
// left them, steps, markers and events, and the recorded car and engine.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "replay/ReplaySession.h"
#include "replay/ReplayTexts.h"
#include "link/LinkEvents.h"
#include "link/ReplyPresenter.h"
#include "live/Sampler.h"
#include "record/RecordFormat.h"
#include "replay/ReplayPlayer.h"
#include "record/RecordingReader.h"
#include "state/MainState.h"
#include "tests/native/settings_fixture.h"

using recfile::Record;
using recfile::RecordType;

namespace {

class FakeClock : public ReplayClock {
  public:
    int64_t nowUs() const override { return us; }
    int64_t us = 1000000;
};

// A recording made in memory: header, polls and events in time order.
class RecordingBytes {
  public:
    explicit RecordingBytes(int family = 1, const std::string& car = "ESPERO",
                            const std::string& engine = "1.5 MPFI DOHC до 92г.") {
        bytes.assign(std::begin(recfile::kSignature), std::end(recfile::kSignature));
        segment(0, family, car, engine);
    }
    void segment(uint32_t t, int family, const std::string& car, const std::string& engine) {
        Record r;
        r.type = RecordType::SegmentHeader;
        r.timeMs = t;
        r.header.programVersion = "1.0";
        r.header.startDateTime = "2026-12-09T21:44:48.250+03:00";
        r.header.car = car;
        r.header.engine = engine;
        r.header.family = family;
        recfile::EncodeRecord(r, bytes);
    }
    // A good reply whose every frame byte is `value` (after the 4-byte echo).
    void good(uint32_t t, uint8_t value) {
        Record r;
        r.type = RecordType::Poll;
        r.timeMs = t;
        r.outcome = PollOutcome::GoodReply;
        r.received = kGoodReplySize;
        r.hasReply = true;
        r.reply.fill(value);
        recfile::EncodeRecord(r, bytes);
    }
    void failed(uint32_t t, PollOutcome outcome) {
        Record r;
        r.type = RecordType::Poll;
        r.timeMs = t;
        r.outcome = outcome;
        r.received = 4;
        recfile::EncodeRecord(r, bytes);
    }
    void marker(uint32_t t, int number, const std::string& text = std::string()) {
        Record r;
        r.type = RecordType::Marker;
        r.timeMs = t;
        r.number = number;
        r.text = text;
        recfile::EncodeRecord(r, bytes);
    }
    void event(uint32_t t, RecordType type) {
        Record r;
        r.type = type;
        r.timeMs = t;
        recfile::EncodeRecord(r, bytes);
    }
    std::unique_ptr<RecordingReader> reader() const {
        auto reader = std::make_unique<RecordingReader>();
        reader->openBytes(bytes);
        return reader;
    }
    std::vector<uint8_t> bytes;
};

// Polls every 120 ms for `ms`, the frame byte counting up; from 10 s to 14 s the
// ECU does not answer, at 20 s one wrong echo.
RecordingBytes DrivingRecording(uint32_t ms = 40000) {
    RecordingBytes rec;
    uint8_t value = 0;
    for (uint32_t t = 0; t <= ms; t += 120) {
        if (t >= 10000 && t < 14000)
            rec.failed(t, PollOutcome::NoAnswer);
        else if (t == 20040)
            rec.failed(t, PollOutcome::WrongEcho);
        else
            rec.good(t, value++);
        if (t == 6000) rec.marker(t + 10, 1, "стук");
        if (t == 30000) rec.marker(t + 10, 2);
        if (t == 12000) rec.event(t + 5, RecordType::LinkStop);
    }
    return rec;
}

// What the player hands on, as a list.
struct Step {
    char kind; // 'r' reply, 's' sample, 'c' history cleared
    uint32_t timeMs;
    bool shown;
    bool operator==(const Step& o) const {
        return kind == o.kind && timeMs == o.timeMs && shown == o.shown;
    }
};

class StepLog : public ReplayOutput {
  public:
    void historyCleared() override { steps.push_back({'c', 0, false}); }
    void replyDue(const JudgedReply& reply, std::size_t segment, bool shown) override {
        steps.push_back({'r', static_cast<uint32_t>(reply.timeMs), shown});
        segments.push_back(segment);
        lastBuffer.assign(reply.buffer, reply.buffer + kReplyBufferSize);
    }
    void sampleDue(uint32_t timeMs, std::size_t) override { steps.push_back({'s', timeMs, false}); }
    std::vector<Step> steps;
    std::vector<std::size_t> segments;
    std::vector<uint8_t> lastBuffer;
};

// The readout texts as the main window would show them last.
class ReadoutLog : public NoLinkEvents {
  public:
    void setReadout(int param, const std::string& text) override {
        readout.at(static_cast<std::size_t>(param)) = text;
    }
    void setStatus(const std::string& text) override { status = text; }
    std::array<std::string, 16> readout;
    std::string status;
};

class NoRepaints : public RepaintRequests {
  public:
    void requestPanelRepaint(int) override {}
};

// The live run: every 50 ms the sampler looks at what the polls up to then left.
void LiveRun(const RecordingReader& reader, uint32_t untilMs, MainState& state,
             ReadoutLog& events) {
    ReplyPresenter presenter(state.selection, state.ecu, events);
    NoRepaints repaints;
    uint8_t buffer[kReplyBufferSize] = {};
    std::size_t poll = 0;
    Record r;
    auto presentUpTo = [&](uint32_t t) {
        for (; poll < reader.pollCount() && reader.timeMs(reader.pollRecord(poll)) <= t; ++poll) {
            reader.record(reader.pollRecord(poll), r);
            if (r.hasReply)
                std::copy(r.reply.begin(), r.reply.end(), buffer);
            else if (r.outcome != PollOutcome::WrongEcho)
                std::fill(std::begin(buffer), std::end(buffer), 0);
            JudgedReply judged{r.timeMs, r.outcome, r.received, buffer};
            presenter.replyJudged(judged);
        }
    };
    for (uint32_t t = 0; t <= untilMs; t += kSamplePeriodMs) {
        presentUpTo(t);
        SampleChannels(state.ecu, state.selection.ecuFamily.load(), repaints);
    }
    presentUpTo(untilMs);
}

void ExpectSameCharts(const MainState& a, const MainState& b, int family) {
    for (int index = 0; index < ChannelStore::channelCount(family); ++index) {
        for (int slot = 1; slot <= kKeptSamples; ++slot) {
            ASSERT_EQ(a.ecu.channels.historySlot(family, index, slot),
                      b.ecu.channels.historySlot(family, index, slot))
                << "channel " << index << " slot " << slot;
            ASSERT_EQ(a.ecu.channels.xPosSlot(family, index, slot),
                      b.ecu.channels.xPosSlot(family, index, slot))
                << "channel " << index << " slot " << slot;
        }
    }
}

} // namespace

TEST(ReplayClockAndSpeed, TheCursorFollowsTheClockAtEverySpeed) {
    const auto reader = DrivingRecording().reader();
    FakeClock clock;
    StepLog log;
    ReplayPlayer player(*reader, clock);
    player.start(log);
    EXPECT_EQ(player.positionMs(), 0u);
    EXPECT_EQ(player.shownPoll(), 0u);

    player.play(log);
    clock.us += 1000000;
    player.advance(log);
    EXPECT_EQ(player.positionMs(), 1000u);

    // A change of speed takes effect from now: no jump.
    player.setSpeedIndex(kReplaySpeedCount - 1);
    EXPECT_EQ(player.positionMs(), 1000u);
    clock.us += 500000;
    player.advance(log);
    EXPECT_EQ(player.positionMs(), 5000u);

    player.setSpeedIndex(0);
    clock.us += 1000000;
    player.advance(log);
    EXPECT_EQ(player.positionMs(), 5250u);
    player.setSpeedIndex(99);
    EXPECT_EQ(player.speedIndex(), kReplaySpeedCount - 1);
    EXPECT_EQ(ReplayPlayer::SpeedQuarters(player.speedIndex()), 32);

    player.pause(log);
    clock.us += 5000000;
    player.advance(log);
    EXPECT_EQ(player.positionMs(), 5250u);

    // At the end it stops; play starts again from the first poll.
    player.play(log);
    clock.us += 60000000;
    player.advance(log);
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.positionMs(), player.durationMs());
    EXPECT_EQ(player.shownPoll(), reader->pollCount() - 1);
    player.play(log);
    EXPECT_TRUE(player.playing());
    EXPECT_EQ(player.positionMs(), 0u);
}

TEST(ReplayOrder, RepliesAndTicksInTimeOrderAndOnlyTheLastOfABatchShown) {
    RecordingBytes rec;
    rec.good(10, 1);
    rec.good(50, 2); // on a tick: the reply before the tick
    rec.good(70, 3);
    rec.good(90, 4);
    rec.failed(260, PollOutcome::NoAnswer);
    const auto reader = rec.reader();
    FakeClock clock;
    StepLog log;
    ReplayPlayer player(*reader, clock);
    player.start(log);
    log.steps.clear();
    player.play(log);
    clock.us += 100000;
    player.advance(log);
    const std::vector<Step> first = {
        {'r', 50,  false},
        {'s', 50,  false},
        {'r', 70,  false},
        {'r', 90,  true },
        {'s', 100, false}
    };
    EXPECT_EQ(log.steps, first);
    // A failed poll clears the buffer the decoder reads.
    clock.us += 200000;
    player.advance(log);
    EXPECT_EQ(log.steps.back(), (Step{'r', 260, true}));
    EXPECT_EQ(log.lastBuffer, std::vector<uint8_t>(kReplyBufferSize, 0));
    EXPECT_FALSE(player.playing());
}

TEST(ReplayOrder, FastPlayShowsFewerRepliesButSamplesAllAndPausesOnTheLatest) {
    const auto reader = DrivingRecording(8000).reader(); // a poll every 120 ms
    for (int speed : {kReplayNormalSpeed, kReplaySpeedCount - 1}) {
        SCOPED_TRACE(speed);
        FakeClock clock;
        StepLog log;
        ReplayPlayer player(*reader, clock);
        player.start(log);
        player.setSpeedIndex(speed);
        player.play(log);
        log.steps.clear();
        for (int tick = 0; tick < 20; ++tick) { // a second of 50 ms timer ticks
            clock.us += 50000;
            player.advance(log);
        }
        int replies = 0, shown = 0;
        for (const Step& step : log.steps) {
            replies += step.kind == 'r' ? 1 : 0;
            shown += step.kind == 'r' && step.shown ? 1 : 0;
        }
        const int due = static_cast<int>(player.shownPoll()); // every poll after the first
        EXPECT_EQ(replies, due);
        if (speed == kReplayNormalSpeed)
            EXPECT_EQ(shown, replies); // as live: every reply on the screen
        else
            EXPECT_LE(shown, 11); // at most every 90 ms
        player.pause(log);
        const Step* last = nullptr;
        for (const Step& step : log.steps)
            if (step.kind == 'r') last = &step;
        ASSERT_NE(last, nullptr);
        EXPECT_TRUE(last->shown);
        EXPECT_EQ(last->timeMs, reader->timeMs(reader->pollRecord(player.shownPoll())));
    }
}

TEST(ReplayRefill, ASeekLeavesTheChartsAndReadoutAsTheLiveRunDid) {
    const RecordingBytes rec = DrivingRecording();
    const auto reader = rec.reader();
    // Well into the drive; with the gap without answers on the charts (they then
    // reach back further than 22.5 s); just after the gap and after the wrong
    // echo; early on.
    for (uint32_t at : {37777u, 34020u, 16020u, 20070u, 3333u, 0u}) {
        SCOPED_TRACE(at);
        auto live = std::make_unique<MainState>();
        ReadoutLog liveEvents;
        LiveRun(*reader, at, *live, liveEvents);

        auto replayed = std::make_unique<MainState>();
        // Whatever was on the charts before goes.
        replayed->ecu.channels.setValue(1, 3, 77.0f);
        replayed->ecu.dataValid = 1.0f;
        for (int i = 0; i < 500; ++i)
            replayed->ecu.channels.sample(1);
        ReadoutLog replayEvents;
        RecordingView view;
        MemoryRegistry registry;
        NoRepaints repaints;
        FakeClock clock;
        ReplaySession session(rec.reader(), clock, *replayed, replayEvents, view, repaints,
                              registry, UserVehicle{});
        session.player().start(session);
        session.player().seek(39000, session);
        session.player().seek(at, session);

        ExpectSameCharts(*live, *replayed, 1);
        EXPECT_EQ(liveEvents.readout, replayEvents.readout);
        EXPECT_EQ(liveEvents.status, replayEvents.status);
        EXPECT_EQ(live->ecu.dataValid.load(), replayed->ecu.dataValid.load());
    }
}

TEST(ReplayRefill, PlayingOnFromASeekStaysLikeTheLiveRun) {
    const RecordingBytes rec = DrivingRecording();
    auto live = std::make_unique<MainState>();
    ReadoutLog liveEvents;
    LiveRun(*rec.reader(), 31234, *live, liveEvents);

    auto replayed = std::make_unique<MainState>();
    ReadoutLog replayEvents;
    RecordingView view;
    MemoryRegistry registry;
    NoRepaints repaints;
    FakeClock clock;
    ReplaySession session(rec.reader(), clock, *replayed, replayEvents, view, repaints, registry,
                          UserVehicle{});
    session.player().start(session);
    session.player().seek(8000, session);
    session.player().setSpeedIndex(3); // 2x
    session.player().togglePlay(session);
    for (int i = 0; i < 100; ++i) {
        clock.us += 7000 + 997 * (i % 13); // uneven timer ticks
        session.player().advance(session);
    }
    session.player().togglePlay(session);
    session.player().seek(31234 - 2 * 500, session); // a little back ...
    session.player().togglePlay(session);
    clock.us += 500000; // ... and 1 s of the recording at 2x
    session.player().advance(session);
    EXPECT_EQ(session.player().positionMs(), 31234u);
    ExpectSameCharts(*live, *replayed, 1);
    EXPECT_EQ(liveEvents.readout, replayEvents.readout);
}

TEST(ReplayNavigation, StepsMarkersAndEvents) {
    const auto reader = DrivingRecording().reader();
    FakeClock clock;
    StepLog log;
    ReplayPlayer player(*reader, clock);
    player.start(log);

    EXPECT_FALSE(player.stepBack(log));
    EXPECT_TRUE(player.stepForward(log));
    EXPECT_EQ(player.positionMs(), 120u);
    EXPECT_TRUE(player.stepForward(log));
    EXPECT_TRUE(player.stepBack(log));
    EXPECT_EQ(player.positionMs(), 120u);
    EXPECT_EQ(player.shownPoll(), 1u);

    // Events in order: marker 1 (6010), STOP (12005), marker 2 (30010).
    EXPECT_TRUE(player.nextEvent(log));
    EXPECT_EQ(player.positionMs(), 6010u);
    EXPECT_EQ(player.shownPoll(), 50u); // the poll at 6000
    EXPECT_TRUE(player.nextEvent(log));
    EXPECT_EQ(player.positionMs(), 12005u);
    EXPECT_TRUE(player.nextMarker(log));
    EXPECT_EQ(player.positionMs(), 30010u);
    EXPECT_FALSE(player.nextMarker(log));
    EXPECT_TRUE(player.previousMarker(log));
    EXPECT_EQ(player.positionMs(), 6010u);
    EXPECT_FALSE(player.previousMarker(log));
    EXPECT_FALSE(player.previousEvent(log));
    // A jump while playing keeps playing, a step pauses.
    player.play(log);
    EXPECT_TRUE(player.nextEvent(log));
    EXPECT_TRUE(player.playing());
    EXPECT_TRUE(player.stepForward(log));
    EXPECT_FALSE(player.playing());
    // Beyond the end and before the start.
    player.seek(999999, log);
    EXPECT_EQ(player.positionMs(), player.durationMs());
    EXPECT_FALSE(player.stepForward(log));
}

TEST(ReplayVehicle, EachSegmentShowsItsCarAndCloseGivesTheUsersBack) {
    RecordingBytes rec(4, "Lanos", "1.5 DOHC");
    for (uint32_t t = 0; t < 1000; t += 100)
        rec.good(t, 0x10);
    rec.segment(1000, 2, "NEXIA", "1.5 SOHC (двигатель не из таблицы)");
    for (uint32_t t = 1000; t < 2000; t += 100)
        rec.good(t, 0x20);

    MemoryRegistry registry;
    registry.putDword("\\MOTOSKOP\\CARS\\Lanos\\ENGINE\\1.5_DOHC\\SET_GRAF1", "Graf1", 2);
    auto state = std::make_unique<MainState>();
    state->selection.carIndex = 0;
    state->selection.ecuFamily = 1;
    RecordingView view;
    ReadoutLog events;
    NoRepaints repaints;
    FakeClock clock;
    UserVehicle user;
    user.carKey = state->selection.carKey;
    user.engineKey = state->selection.engineKey;
    user.family = 1;
    user.carLabel = "ESPERO";
    user.engineLabel = "1.5 MPFI DOHC до 92г.";
    ReplaySession session(rec.reader(), clock, *state, events, view, repaints, registry, user);
    session.player().start(session);
    EXPECT_EQ(view.carLabel, "Lanos");
    EXPECT_EQ(view.engineLabel, "1.5 DOHC");
    EXPECT_EQ(state->selection.ecuFamily.load(), 4);
    EXPECT_EQ(state->selection.engineKey, "\\ENGINE\\1.5_DOHC\\");
    EXPECT_EQ(state->selection.graphParam[0], 2); // the engine's own graph set

    session.player().seek(1500, session);
    EXPECT_EQ(view.carLabel, "NEXIA");
    EXPECT_EQ(view.engineLabel, "1.5 SOHC (двигатель не из таблицы)");
    EXPECT_EQ(state->selection.ecuFamily.load(), 2);

    session.close();
    EXPECT_EQ(view.carLabel, "ESPERO");
    EXPECT_EQ(view.engineLabel, "1.5 MPFI DOHC до 92г.");
    EXPECT_EQ(state->selection.ecuFamily.load(), 1);
    EXPECT_EQ(state->selection.carKey, user.carKey);
    EXPECT_EQ(state->selection.engineKey, user.engineKey);
    // Nothing about the car or engine went to the registry.
    EXPECT_TRUE(registry.writes().empty());
}

TEST(ReplayTexts, TimesDatesAndTheEventList) {
    EXPECT_EQ(FormatElapsed(0), "00:00.0");
    EXPECT_EQ(FormatElapsed(61999), "01:01.9");
    EXPECT_EQ(FormatElapsed(3600000 + 62000), "1:01:02.0");

    RecordingBytes rec;
    rec.good(0, 1);
    rec.marker(500, 1);
    rec.good(120000, 1);
    rec.event(130000, RecordType::ClearCodes);
    Record text;
    text.type = RecordType::MarkerText;
    text.timeMs = 130000;
    text.number = 1;
    text.text = "холостой ход";
    recfile::EncodeRecord(text, rec.bytes);
    rec.segment(3600000, 1, "ESPERO", "x");
    rec.good(3600000, 1);
    const auto reader = rec.reader();

    // 21:44:48.250 + 3599.75 s; the second segment has the same start stamp.
    EXPECT_EQ(RecordedDateTime(*reader, 0), "09.12.2026 21:44:48");
    EXPECT_EQ(RecordedDateTime(*reader, 3599750), "09.12.2026 22:44:48");
    EXPECT_EQ(RecordedDateTime(*reader, 3600000 + 2 * 3600000), "09.12.2026 23:44:48");

    const std::vector<ReplayEventLine> lines = ReplayEventLines(*reader);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "00:00.5  метка 1: холостой ход");
    EXPECT_EQ(lines[0].marker, 1);
    EXPECT_EQ(lines[1].text, "02:10.0  сброс кодов");
    EXPECT_EQ(lines[1].timeMs, 130000u);
}
