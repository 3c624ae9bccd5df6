// A recording made from the simulator in the real main window, played back: at
// a time in the middle the received-data panel holds the very frame the
// simulator logged for that poll, the readout says what the decoder makes of
// that frame, and the labels are the recorded car and engine, not the user's.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/RecordControl_win32.h"
#include "app/TForm1.h"
#include "link/ReplyDecoder.h"
#include "record/RecordFile_win32.h"
#include "record/RecordingReader.h"
#include "tests/win/ProgramDriver.h"
#include "platform/TextConversion.h"

using namespace program_driver;

namespace {

const char kPollLine[] = "rx F4 56 01 B5";

std::vector<uint8_t> HexBytes(const std::string& text) {
    std::vector<uint8_t> out;
    std::istringstream in(text);
    for (unsigned v = 0; in >> std::hex >> v;)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

// Every poll in the simulator's log, in order: the 68 bytes it sent back for it
// (the echo, then its answer), or nothing when no whole answer went out.
std::vector<std::vector<uint8_t>> SimulatorPolls() {
    std::vector<std::vector<uint8_t>> polls;
    std::ifstream log(ecusim_control::windowsPath(std::getenv("MOTOSKOP_ECUSIM_LOG")),
                      std::ios::binary);
    bool waiting = false;
    for (std::string line; std::getline(log, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("rx ", 0) == 0) {
            waiting = line == kPollLine;
            if (waiting) polls.emplace_back();
        } else if (line.rfind("tx ", 0) == 0 && waiting) {
            const std::vector<uint8_t> answer = HexBytes(line.substr(3));
            if (answer.size() == kGoodReplySize - 4) {
                polls.back() = {0xF4, 0x56, 0x01, 0xB5};
                polls.back().insert(polls.back().end(), answer.begin(), answer.end());
            }
            waiting = false;
        }
    }
    return polls;
}

// The readout texts the decoder gives for a reply.
class Readout : public NoLinkEvents {
  public:
    void setReadout(int param, const std::string& text) override { texts[param] = text; }
    std::map<int, std::string> texts;
};

std::map<int, std::string> DecodedReadout(const std::vector<uint8_t>& reply, int family,
                                          char decimalSeparator) {
    uint8_t buffer[kReplyBufferSize] = {};
    std::copy(reply.begin(), reply.end(), buffer);
    auto ecu = std::make_unique<EcuData>();
    Readout readout;
    DecodeReply(buffer, family, decimalSeparator, *ecu, readout);
    return readout.texts;
}

std::string TempRecording() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    // Wine gives every run the same few process ids: the clock tells runs apart.
    const std::string path = Narrow(temp) + "sim-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount64()) + ".mrec";
    DeleteFileW(Widen(path).c_str());
    return path;
}

} // namespace

TEST(ReplayMatchesSimulator, TheMiddleOfARecordingShowsWhatTheSimulatorSentThen) {
    if (!ecusim_control::available()) GTEST_SKIP() << "no simulator log";
    TForm1& f = Main();
    const std::size_t pollsBefore = SimulatorPolls().size();
    ASSERT_TRUE(Connect(f));
    const std::string path = TempRecording();
    ASSERT_TRUE(f.recordControl->start(path));
    PumpFor(3000);
    f.recordControl->stop();
    Disconnect(f);
    const std::string recordedCar = f.Label2.text(), recordedEngine = f.Label3.text();
    Click(f, f.Image3); // another car for the user: the replay must show the recorded one
    Pump();
    ASSERT_NE(f.Label2.text(), recordedCar);
    const std::string userCar = f.Label2.text();

    // The recording holds every poll since START (the minutes before): its k-th
    // poll is the simulator's (pollsBefore + k)-th.
    const std::vector<std::vector<uint8_t>> sim = SimulatorPolls();
    RecordingReader reader;
    ASSERT_EQ(OpenRecording(reader, path), ReadStatus::Ok);
    ASSERT_GE(reader.pollCount(), 6u);
    ASSERT_LE(pollsBefore + reader.pollCount(), sim.size());
    int good = 0;
    recfile::Record r;
    for (std::size_t k = 0; k < reader.pollCount(); ++k) {
        ASSERT_TRUE(reader.record(reader.pollRecord(k), r));
        if (!r.hasReply) continue;
        ++good;
        EXPECT_TRUE(std::equal(r.reply.begin(), r.reply.end(), sim[pollsBefore + k].begin(),
                               sim[pollsBefore + k].end()))
            << "poll " << k << " at " << r.timeMs << " ms is not what the simulator sent";
    }
    EXPECT_GE(good, static_cast<int>(reader.pollCount()) - 1);

    ASSERT_TRUE(f.replay.open(path));
    TFormReplay* w = f.replay.window();
    ASSERT_NE(w, nullptr);
    ReplaySession& session = w->session();
    const uint32_t middle = session.reader().durationMs() / 2;
    Click(*w, w->PlayButton);
    PumpFor(200);
    session.player().seek(middle, session); // playing on from the middle
    PumpFor(300);
    Click(*w, w->PlayButton); // pause: the reply at the cursor is on the screen
    ASSERT_FALSE(session.player().playing());
    EXPECT_GT(session.player().positionMs(), middle);
    PumpFor(300);

    const std::size_t shown = session.player().shownPoll();
    ASSERT_LT(shown, reader.pollCount());
    ASSERT_TRUE(reader.record(reader.pollRecord(shown), r));
    EXPECT_LE(r.timeMs, session.player().positionMs());
    EXPECT_GE(r.timeMs + 1000, middle);
    ASSERT_TRUE(r.hasReply) << "the poll at " << r.timeMs << " ms failed";
    std::printf("%d of %zu recorded polls are the simulator's; poll %zu at %u ms of %u shown\n",
                good, reader.pollCount(), shown + 1, static_cast<unsigned>(r.timeMs),
                static_cast<unsigned>(reader.durationMs()));
    const std::vector<uint8_t>& logged = sim[pollsBefore + shown];
    ASSERT_EQ(logged.size(), static_cast<std::size_t>(kGoodReplySize));

    const auto raw = f.state.ecu.rawFrame.snapshot();
    EXPECT_TRUE(std::equal(logged.begin(), logged.end(), raw.begin()))
        << "the panel's frame is not the one the simulator sent at " << r.timeMs << " ms";

    const int family = session.reader().segments().at(0).header.family;
    const auto readout = DecodedReadout(logged, family, f.state.selection.decimalSeparator.load());
    ASSERT_GE(readout.size(), 14u);
    for (const auto& [param, text] : readout)
        EXPECT_EQ(f.Param_(param).text(), text) << "Param_" << param;
    EXPECT_EQ(f.Label2.text(), recordedCar);
    EXPECT_EQ(f.Label3.text(), recordedEngine);
    EXPECT_EQ(session.reader().segments().at(0).header.car, recordedCar);

    // A step on: the next poll's frame from the log.
    ASSERT_TRUE(session.player().stepForward(session));
    PumpFor(200);
    const std::size_t next = session.player().shownPoll();
    EXPECT_EQ(next, shown + 1);
    const std::vector<uint8_t>& nextLogged = sim[pollsBefore + next];
    if (nextLogged.size() == static_cast<std::size_t>(kGoodReplySize)) {
        const auto nextRaw = f.state.ecu.rawFrame.snapshot();
        EXPECT_TRUE(std::equal(nextLogged.begin(), nextLogged.end(), nextRaw.begin()));
    }

    f.replay.close();
    PumpFor(200);
    EXPECT_FALSE(f.replay.active());
    EXPECT_EQ(f.Label2.text(), userCar);
    DeleteFileW(Widen(path).c_str());
}
