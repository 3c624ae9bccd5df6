// The record control's logic without the window: where a new recording goes
// (never over an existing file), the header of the chosen car, the texts of the
// control, and the command step telling the recording what it sent.
#include <gtest/gtest.h>

#include <atomic>

#include "link/CommandFrames.h"
#include "link/CommandStep.h"
#include "platform/Paths.h"
#include "platform/ScriptedSerialPort.h"
#include "record/RecordTexts.h"
#include "record/Recorder.h"
#include "record/RecordingReader.h"
#include "record/RecordingSession.h"
#include "state/MainState.h"
#include "tests/native/record_fixture.h"

namespace {

LocalTime wall() {
    LocalTime t;
    EXPECT_TRUE(ParseIso("2026-12-09T21:44:48.250+03:00", t));
    return t;
}

struct Session {
    MemoryFile file;
    int64_t now = 0;
    Recorder recorder{file, [this] { return now; }};
};

TEST(RecordingSession, ATakenNameGetsTheNextFreeSuffixAndNothingIsOverwritten) {
    Session s;
    s.file.existing = {"C:\\Док\\Espero_x.mrec", "C:\\Док\\Espero_x (2).mrec"};
    recfile::RecordingHeader h;
    h.family = 1;
    RecordingStart start = StartRecordingIn(s.recorder, "C:\\Док", "Espero_x.mrec", h, wall(), 0);
    EXPECT_EQ(start.error, FileError::None);
    EXPECT_EQ(start.path, "C:\\Док\\Espero_x (3).mrec");
    EXPECT_EQ(s.file.created, start.path);
    EXPECT_EQ(start.message, nullptr);
    s.recorder.stop();

    // Every name taken: the start fails and says so.
    Session full;
    for (int n = 1; n <= kRecordingNameTries; ++n)
        full.file.existing.insert(
            JoinPath("/tmp/r", n == 1 ? "a.mrec" : "a (" + std::to_string(n) + ").mrec"));
    start = StartRecordingIn(full.recorder, "/tmp/r", "a.mrec", h, wall(), 0);
    EXPECT_EQ(start.error, FileError::Exists);
    EXPECT_TRUE(start.path.empty());
    EXPECT_STREQ(start.message, rectext::kFileExists);
    EXPECT_FALSE(full.recorder.recording());
}

TEST(RecordingSession, AStartTheDiskRefusesSaysWhyAndLeavesTheRecorderIdle) {
    for (FileError error : {FileError::NoPermission, FileError::NoSpace, FileError::Other}) {
        Session s;
        s.file.refuseCreate = error;
        const RecordingStart start =
            StartRecordingIn(s.recorder, "D:\\", "a.mrec", recfile::RecordingHeader{}, wall(), 0);
        EXPECT_EQ(start.error, error);
        ASSERT_NE(start.message, nullptr);
        EXPECT_STREQ(start.message, StartFailureMessage(error));
        EXPECT_FALSE(s.recorder.recording());
        // The recorder can start again once the disk allows it.
        s.file.refuseCreate = FileError::None;
        EXPECT_EQ(
            StartRecordingIn(s.recorder, "D:\\", "a.mrec", recfile::RecordingHeader{}, wall(), 0)
                .path,
            "D:\\a.mrec");
        s.recorder.stop();
    }
    EXPECT_STREQ(StartFailureMessage(FileError::NoPermission), rectext::kNotStartedNoPermission);
    EXPECT_STREQ(StartFailureMessage(FileError::NoSpace), rectext::kNotStartedNoSpace);
    EXPECT_STREQ(StartFailureMessage(FileError::Other), rectext::kCannotCreate);
}

TEST(RecordingSession, PathsJoinAndSplitWithTheFolderSeparator) {
    EXPECT_EQ(JoinPath("C:\\Users\\Я\\Documents", "a.mrec"), "C:\\Users\\Я\\Documents\\a.mrec");
    EXPECT_EQ(JoinPath("/tmp/x", "a.mrec"), "/tmp/x/a.mrec");
    EXPECT_EQ(JoinPath("C:\\", "a.mrec"), "C:\\a.mrec");
    EXPECT_EQ(JoinPath("", "a.mrec"), "a.mrec");
    std::string folder, name;
    for (const char* path : {"C:\\Док\\Записи\\a b.mrec", "rel/dir/a b.mrec", "a b.mrec"}) {
        SplitPath(path, folder, name);
        EXPECT_EQ(name, "a b.mrec") << path;
        EXPECT_EQ(JoinPath(folder, name), path);
    }
    SplitPath("C:\\a.mrec", folder, name);
    EXPECT_EQ(folder, "C:\\");
    SplitPath("/a.mrec", folder, name);
    EXPECT_EQ(folder, "/");
}

TEST(RecordingSession, HeaderAndVehicleFollowTheChosenCarEngineAndPort) {
    Selection selection;
    selection.portName.set("\\\\.\\COM12");
    recfile::RecordingHeader h = HeaderForSelection(selection, "1.0");
    EXPECT_EQ(h.car, "ESPERO");
    EXPECT_EQ(h.engine, "1.5 MPFI DOHC до 92г.");
    EXPECT_EQ(h.family, 1);
    EXPECT_EQ(h.port, "COM12");
    EXPECT_EQ(h.baud, 8200);
    EXPECT_EQ(h.programVersion, "1.0");

    const VehicleChoice before = ChosenVehicle(selection);
    selection.engineIndex[0] = 2;
    selection.ecuFamily = 2;
    EXPECT_NE(ChosenVehicle(selection), before);
    EXPECT_EQ(HeaderForSelection(selection, "1.0").engine, "1.5 MPI DOHC");
    EXPECT_EQ(HeaderForSelection(selection, "1.0").family, 2);
    // Another car's engine choice is not this car's.
    const VehicleChoice now = ChosenVehicle(selection);
    selection.engineIndex[3] = 1;
    EXPECT_EQ(ChosenVehicle(selection), now);
    selection.carIndex = 1;
    EXPECT_EQ(HeaderForSelection(selection, "1.0").car, "LANOS");
}

TEST(RecordingSession, ElapsedTimeAndShortenedNames) {
    EXPECT_EQ(ElapsedText(0), "00:00:00");
    EXPECT_EQ(ElapsedText(999), "00:00:00");
    EXPECT_EQ(ElapsedText(61000), "00:01:01");
    EXPECT_EQ(ElapsedText(3600000LL * 27 + 59999), "27:00:59");
    EXPECT_EQ(ElapsedText(3600000LL * 100), "100:00:00");
    EXPECT_EQ(ElapsedText(-5), "00:00:00");

    const std::string name = "ESPERO_1.5 MPFI DOHC до 92г._2026-12-09_21-44-48.mrec";
    EXPECT_EQ(ShortenMiddle(name, 200), name);
    const std::string shortName = ShortenMiddle(name, 20);
    EXPECT_EQ(shortName, "ESPERO_…1-44-48.mrec");
    // Cyrillic is cut between characters, never inside one.
    const std::string cyrillic = "ЗаписьЗаписьЗапись";
    for (std::size_t n = 0; n <= 19; ++n) {
        const std::string s = ShortenMiddle(cyrillic, n);
        std::size_t chars = 0;
        for (unsigned char c : s)
            chars += (c & 0xC0) != 0x80;
        EXPECT_EQ(chars, std::min<std::size_t>(n, 18)) << n;
        EXPECT_EQ(s.size() % 2, n >= 1 && n < 18 ? 1u : 0u) << n; // "…" is 3 bytes
    }
    EXPECT_EQ(ShortenMiddle(cyrillic, 2), "З…");
}

// The command step tells the recording each frame with the ECU's verdict.
class CommandSinkProbe : public CommandSink {
  public:
    void commandExchanged(const uint8_t* frame, std::size_t size, CommandOutcome outcome) override {
        frames.emplace_back(frame, frame + size);
        outcomes.push_back(outcome);
    }
    void clearCodesSent() override { ++clears; }
    std::vector<std::vector<uint8_t>> frames;
    std::vector<CommandOutcome> outcomes;
    int clears = 0;
};

TEST(RecordingSession, TheCommandStepTellsTheSinkEveryFrameAndItsVerdict) {
    MainState state;
    ScriptedSerialPort port;
    port.open("COM1");
    std::atomic<bool> stop{false};
    CommandSinkProbe sink;
    // The clear-codes frame is echoed only; slot 1 is confirmed (byte 18 is 0),
    // the return of control is not.
    port.scriptEchoOnly();
    std::vector<uint8_t> answer(16, 0x55);
    answer[18 - kCommandFrameSize] = 0x00;
    port.scriptAnswer(answer);
    answer[18 - kCommandFrameSize] = 0x07;
    port.scriptAnswer(answer);
    state.requests.clearCodesRequested = 1;
    state.requests.commandRequests[1] = 1;
    state.requests.returnControlRequested = 1;
    RunCommandStep(state.requests, 1, port, true, stop, &sink);
    EXPECT_EQ(sink.clears, 1);
    ASSERT_EQ(sink.frames.size(), 2u);
    const CommandTable table = FamilyCommandTable(1);
    for (int i = 0; i < table.count; ++i) {
        if (table.rows[i].slot != 1) continue;
        const CommandFrame slot1 = BuildCommandFrame(table.rows[i], 0);
        EXPECT_EQ(sink.frames[0], std::vector<uint8_t>(slot1.begin(), slot1.end()));
    }
    const CommandFrame returned = BuildCommandFrame(ReturnControlFrame(), 0);
    EXPECT_EQ(sink.frames[1], std::vector<uint8_t>(returned.begin(), returned.end()));
    EXPECT_EQ(sink.frames[0].size(), static_cast<std::size_t>(kCommandFrameSize));
    EXPECT_EQ(sink.outcomes[0], CommandOutcome::Confirmed);
    EXPECT_EQ(sink.outcomes[1], CommandOutcome::Rejected);
    EXPECT_EQ(state.requests.requestStatus, 2); // what the actuator window reads agrees

    // Nothing pending: nothing told. A closed port confirms nothing, and says so.
    RunCommandStep(state.requests, 1, port, true, stop, &sink);
    EXPECT_EQ(sink.frames.size(), 2u);
    state.requests.commandRequests[1] = 1;
    RunCommandStep(state.requests, 1, port, false, stop, &sink);
    ASSERT_EQ(sink.frames.size(), 3u);
    EXPECT_EQ(sink.outcomes[2], CommandOutcome::Rejected);
}

} // namespace
