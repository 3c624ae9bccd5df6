// The recorder between the link thread and the disk: it never makes the link
// wait, it starts with the minutes before, and it says when the disk failed.
#include <gtest/gtest.h>

#include <atomic>
#include <future>

#include "record/CodeWatch.h"
#include "record/PreRoll.h"
#include "record/Recorder.h"
#include "record/RecordingReader.h"
#include "tests/native/record_fixture.h"

using recfile::Record;
using recfile::RecordType;

namespace {

struct Clock {
    std::atomic<int64_t> now{0};
    std::function<int64_t()> fn() {
        return [this] { return now.load(); };
    }
};

recfile::RecordingHeader header(int family = 1) {
    recfile::RecordingHeader h;
    h.programVersion = "1.0";
    h.car = "Espero";
    h.engine = "1.5";
    h.family = family;
    h.port = "COM1";
    h.baud = 8192;
    return h;
}

struct Link {
    uint8_t buffer[kReplyBufferSize] = {};
    void poll(Recorder& recorder, int64_t timeMs, bool good, uint8_t errorByte1 = 0) {
        buffer[0] = static_cast<uint8_t>(timeMs / 100);
        buffer[9] = errorByte1;
        JudgedReply reply;
        reply.timeMs = timeMs;
        reply.outcome = good ? PollOutcome::GoodReply : PollOutcome::NoAnswer;
        reply.received = good ? kGoodReplySize : 4;
        reply.buffer = buffer;
        recorder.replyJudged(reply);
    }
};

LocalTime wall(const char* iso) {
    LocalTime t;
    EXPECT_TRUE(ParseIso(iso, t));
    return t;
}

TEST(PreRollRing, KeepsTheLastTwoMinutesInAFixedRing) {
    PreRoll ring(8);
    KeptPoll p;
    for (int i = 0; i < 20; ++i) {
        p.timeMs = i * 1000;
        ring.push(p);
    }
    std::vector<KeptPoll> kept = ring.newest();
    ASSERT_EQ(kept.size(), 8u); // the ring is full: the oldest went
    EXPECT_EQ(kept.front().timeMs, 12000);
    EXPECT_EQ(kept.back().timeMs, 19000);

    PreRoll minutes;
    for (int i = 0; i <= 300; ++i) {
        p.timeMs = i * 1000;
        minutes.push(p);
    }
    kept = minutes.newest();
    EXPECT_EQ(kept.front().timeMs, 300000 - kPreRollMs);
    EXPECT_EQ(kept.size(), 121u);
    minutes.clear();
    EXPECT_TRUE(minutes.newest().empty());
}

TEST(RecorderRun, BeginsWithTheMinutesBeforeThenWritesTheTimeline) {
    MemoryFile file;
    Clock clock;
    Recorder recorder(file, clock.fn());
    Link link;
    for (int t = 0; t <= 200000; t += 1000)
        link.poll(recorder, 1000000 + t, true);
    // Started at 1 200 500 ms on the link clock, 12:00:00.500 on the wall.
    ASSERT_EQ(recorder.start("r.mrec", header(), wall("2026-12-09T12:00:00.500+03:00"), 1200500),
              FileError::None);
    EXPECT_TRUE(recorder.recording());
    link.poll(recorder, 1201000, false);
    link.poll(recorder, 1202000, true, 0x08); // code 1.3 appears
    EXPECT_EQ(recorder.marker(1202100, "стук"), 2);
    link.poll(recorder, 1203000, true, 0x00); // and goes
    recorder.clearCodesRequested(1203100);
    const uint8_t frame[] = {0xF4, 0x57};
    recorder.commandSent(1203200, frame, 2, recfile::CommandVerdict::Confirmed);
    recorder.linkStopped(1203300);
    const RecorderStop result = recorder.stop();
    EXPECT_EQ(result.error, FileError::None);
    EXPECT_EQ(result.message, nullptr);
    EXPECT_EQ(result.polls, 121 + 3);
    EXPECT_EQ(result.goodReplies, 121 + 2);
    EXPECT_FALSE(recorder.recording());

    RecordingReader reader;
    ASSERT_EQ(reader.openBytes(file.flushed), ReadStatus::Ok);
    EXPECT_EQ(reader.pollCount(), 124u);
    EXPECT_EQ(reader.segments()[0].header.startDateTime, "2026-12-09T11:58:00.000+03:00");
    EXPECT_EQ(reader.timeMs(reader.pollRecord(0)), 0u);
    EXPECT_EQ(reader.timeMs(reader.pollRecord(121)), 121000u);
    std::vector<RecordType> events;
    for (std::size_t i : reader.events())
        events.push_back(reader.type(i));
    const std::vector<RecordType> expected = {RecordType::RecordStart, RecordType::CodeAppeared,
                                              RecordType::Marker,      RecordType::Marker,
                                              RecordType::CodeGone,    RecordType::ClearCodes,
                                              RecordType::Command,     RecordType::LinkStop};
    EXPECT_EQ(events, expected);
    ASSERT_EQ(reader.markers().size(), 2u);
    EXPECT_EQ(reader.markers()[0].text, "появился код 1.3");
    EXPECT_EQ(reader.markers()[1].number, 2);
    EXPECT_EQ(reader.markers()[1].text, "стук");
    EXPECT_EQ(reader.timeMs(reader.events()[0]), 120500u);
}

TEST(RecorderRun, AReplyJudgedBeforeTheStartButHandedOverAfterItKeepsTheFileInOrder) {
    MemoryFile file;
    Clock clock;
    Recorder recorder(file, clock.fn());
    Link link;
    link.poll(recorder, 7000, true);
    ASSERT_EQ(recorder.start("r.mrec", header(), wall("2026-12-09T12:00:00+03:00"), 7890),
              FileError::None);
    link.poll(recorder, 7882, true); // on the line when the button was pressed
    link.poll(recorder, 8000, true);
    recorder.stop();
    RecordingReader reader;
    ASSERT_EQ(reader.openBytes(file.flushed), ReadStatus::Ok);
    ASSERT_EQ(reader.pollCount(), 3u);
    // The times as written (the reader would smooth them over).
    recfile::Record r;
    uint32_t last = 0;
    std::size_t at = sizeof recfile::kSignature, next = 0;
    while (recfile::DecodeRecord(file.flushed.data(), file.flushed.size(), at, r, next) ==
           recfile::FrameStatus::Ok) {
        EXPECT_GE(r.timeMs, last) << "the record at byte " << at << " goes back in time";
        last = r.timeMs;
        at = next;
    }
    EXPECT_EQ(at, file.flushed.size());
}

TEST(RecorderRun, TheLinkNeverWaitsForASlowDisk) {
    MemoryFile file;
    Clock clock;
    Recorder recorder(file, clock.fn(), 64);
    Link link;
    ASSERT_EQ(recorder.start("r.mrec", header(), wall("2026-12-09T12:00:00+03:00"), 0),
              FileError::None);
    file.hold(); // every append from now on waits until released
    clock.now = 5000;
    link.poll(recorder, 10, true);
    // Wait until the writer thread is stuck on the disk.
    while (file.appendCount() < 2)
        std::this_thread::yield();
    auto polls = std::async(std::launch::async, [&] {
        for (int i = 0; i < 1000; ++i)
            link.poll(recorder, 20 + i, true);
    });
    // A hang here would mean the link thread waited on the disk.
    ASSERT_EQ(polls.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    // A marker the full queue cannot take is not shown as made, and uses up no number.
    EXPECT_EQ(recorder.marker(6000), 0);
    file.release();
    int shown = 0, refused = 1;
    for (int tries = 0; shown == 0 && tries < 2000; ++tries, std::this_thread::yield())
        if ((shown = recorder.marker(6000)) == 0) ++refused;
    EXPECT_EQ(shown, 1);
    const RecorderStop result = recorder.stop();
    EXPECT_GT(result.dropped, 0); // the queue of 64 overflowed while the disk stood still
    EXPECT_STREQ(result.message, "Запись отстаёт от диска: часть ответов пропущена.");
    RecordingReader reader;
    ASSERT_EQ(reader.openBytes(file.flushed), ReadStatus::Ok);
    EXPECT_EQ(reader.pollCount() + result.dropped, 1001u + refused); // refused markers count too
    ASSERT_EQ(reader.markers().size(), 1u);
    EXPECT_EQ(reader.markers()[0].number, 1);
}

TEST(RecorderRun, AFullDiskStopsTheRecordingAndSaysSo) {
    MemoryFile file;
    Clock clock;
    Recorder recorder(file, clock.fn());
    Link link;
    ASSERT_EQ(recorder.start("r.mrec", header(), wall("2026-12-09T12:00:00+03:00"), 0),
              FileError::None);
    file.room = file.written.size() + 300;
    for (int i = 0; i < 50 && !recorder.failure(); ++i) {
        link.poll(recorder, i * 100, true);
        clock.now += 1000;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    while (!recorder.failure())
        std::this_thread::yield();
    EXPECT_STREQ(recorder.failure(), "Запись остановлена: нет места на диске.");
    EXPECT_FALSE(recorder.recording());
    link.poll(recorder, 99999, true); // the link goes on
    const RecorderStop result = recorder.stop();
    EXPECT_EQ(result.error, FileError::NoSpace);
    EXPECT_STREQ(result.message, "Запись остановлена: нет места на диске.");
    RecordingReader reader;
    EXPECT_EQ(reader.openBytes(file.written), ReadStatus::Ok);
    EXPECT_GE(reader.pollCount(), 1u);
}

TEST(RecorderRun, ARecordingWithoutRepliesSaysSoAndRefusesATakenName) {
    MemoryFile file;
    Clock clock;
    Recorder recorder(file, clock.fn());
    Link link;
    link.poll(recorder, 0, false);
    ASSERT_EQ(recorder.start("r.mrec", header(), wall("2026-12-09T12:00:00+03:00"), 10),
              FileError::None);
    link.poll(recorder, 100, false);
    RecorderStop result = recorder.stop();
    EXPECT_EQ(result.polls, 2);
    EXPECT_STREQ(result.message, "Запись остановлена: ЭБУ не прислал ни одного ответа.");
    EXPECT_EQ(recorder.marker(200), 0); // not recording

    EXPECT_EQ(recorder.start("r.mrec", header(), wall("2026-12-09T12:00:00+03:00"), 10),
              FileError::Exists);
    EXPECT_FALSE(recorder.recording());
}

TEST(RecorderRun, ANewCarStartsANewSegment) {
    MemoryFile file;
    Clock clock;
    Recorder recorder(file, clock.fn());
    Link link;
    ASSERT_EQ(recorder.start("r.mrec", header(1), wall("2026-12-09T12:00:00+03:00"), 0),
              FileError::None);
    link.poll(recorder, 100, true, 0x01);
    recorder.vehicleChanged(header(4), wall("2026-12-09T12:00:05+03:00"), 5000);
    link.poll(recorder, 5100, true, 0x01); // the same bits under a new family: no code event
    recorder.stop();
    RecordingReader reader;
    ASSERT_EQ(reader.openBytes(file.flushed), ReadStatus::Ok);
    ASSERT_EQ(reader.segments().size(), 2u);
    EXPECT_EQ(reader.segments()[1].header.family, 4);
    EXPECT_EQ(reader.segments()[1].timeMs, 5000u);
    EXPECT_EQ(reader.segments()[1].header.startDateTime, "2026-12-09T12:00:05.000+03:00");
    EXPECT_EQ(reader.markers().size(), 0u);
}

TEST(CodeWatchChanges, ReportsBitsThatCameAndWentInTheFamilysBytes) {
    CodeWatch watch;
    uint8_t reply[kGoodReplySize] = {};
    reply[9] = 0x01;
    EXPECT_TRUE(watch.next(reply, 1).empty()); // the first reply only sets what is known
    reply[9] = 0x02;
    reply[11] = 0xFF; // byte 3: family 1 does not use it
    const std::vector<CodeChange> changes = watch.next(reply, 1);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].bit, 0);
    EXPECT_FALSE(changes[0].appeared);
    EXPECT_EQ(changes[1].bit, 1);
    EXPECT_TRUE(changes[1].appeared);
}

} // namespace

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A process killed while recording leaves a file that opens with everything up
// to the last flush.
TEST(RecorderRun, AKilledRecordingOpensUpToTheLastFlush) {
    const std::string path = std::string(MOTOSKOP_BINARY_DIR) + "/record_killed_test.mrec";
    std::remove(path.c_str());
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        StdioRecordFile file;
        Clock clock;
        Recorder recorder(file, clock.fn());
        Link link;
        if (recorder.start(path, header(), wall("2026-12-09T12:00:00+03:00"), 0) != FileError::None)
            _exit(2);
        for (int i = 0; i < 40; ++i)
            link.poll(recorder, i * 100, true);
        recorder.marker(4000, "перед падением"); // a marker is flushed at once
        for (int i = 40; i < 60; ++i)
            link.poll(recorder, i * 100, true); // never flushed: the clock stands still
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        kill(getpid(), SIGKILL);
        _exit(3);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    RecordingReader reader;
    ASSERT_EQ(reader.open(path), ReadStatus::Ok);
    EXPECT_EQ(reader.pollCount(), 40u);
    ASSERT_EQ(reader.markers().size(), 1u);
    EXPECT_EQ(reader.markers()[0].text, "перед падением");
    std::remove(path.c_str());
}

} // namespace

namespace {

TEST(RecorderRun, AVisitGoesRightAfterTheHeaderWhichThenSaysVersionTwo) {
    struct Case {
        const char* name;
        bool atStart, changed;
        int format;
        const char* plate; // the visit read back; nullptr: none
    };
    const Case cases[] = {
        {"none",                        false, false, 1, nullptr      },
        {"typed before the start",      true,  false, 2, "А123ВС77"},
        {"typed again while recording", true,  true,  2, "В456ОР99"},
        {"typed only while recording",  false, true,  1, "В456ОР99"},
    };
    for (const Case& c : cases) {
        MemoryFile file;
        Clock clock;
        Recorder recorder(file, clock.fn());
        Link link;
        recfile::Visit visit;
        if (c.atStart) visit.plate = "А123ВС77";
        ASSERT_EQ(recorder.start("r.mrec", header(), wall("2026-12-09T12:00:00+03:00"), 0, visit),
                  FileError::None);
        link.poll(recorder, 100, true);
        recfile::Visit again;
        again.plate = "В456ОР99";
        if (c.changed) recorder.visitChanged(200, again);
        link.poll(recorder, 300, true);
        recorder.stop();
        RecordingReader reader;
        ASSERT_EQ(reader.openBytes(file.flushed), ReadStatus::Ok) << c.name;
        EXPECT_EQ(reader.segments()[0].header.formatVersion, c.format) << c.name;
        EXPECT_EQ(reader.hasVisit(), c.plate != nullptr) << c.name;
        if (c.plate) {
            EXPECT_EQ(reader.visit().plate, c.plate) << c.name;
        }
        // Right after the header: a reader of the file's head finds it.
        Record first, second;
        std::size_t next = 0;
        recfile::DecodeRecord(file.flushed.data(), file.flushed.size(), 8, first, next);
        recfile::DecodeRecord(file.flushed.data(), file.flushed.size(), next, second, next);
        EXPECT_EQ(second.type == RecordType::Visit, c.atStart) << c.name;
    }
}

} // namespace
