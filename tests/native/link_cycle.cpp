// The link cycle against the scripted port: opening, judging replies, closing,
// self-suspension and the mended open/close races.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "link/LinkCycle.h"
#include "state/MainState.h"
#include "platform/ScriptedSerialPort.h"
#include "tests/common/ShownTexts.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Log = std::vector<std::string>;

class RecordingEvents : public LinkEvents, public LinkSuspension {
  public:
    void setStatus(const std::string& text) override { log.push_back("status " + text); }
    void setReadout(int, const std::string&) override {}
    void setDiagButtonsEnabled(bool enabled) override {
        log.push_back(enabled ? "buttons on" : "buttons off");
    }
    void repaintRawPanel() override { log.push_back("repaint"); }
    void suspendSelf() override {
        log.push_back("suspend");
        ++suspensions;
        if (whileSuspended) whileSuspended(); // what the GUI does before it resumes us
    }
    Log take() {
        Log out;
        out.swap(log);
        return out;
    }

    Log log;
    int suspensions = 0;
    std::function<void()> whileSuspended;
};

std::string status(const char* text) {
    return std::string("status ") + text;
}

// The ECU's 64-byte frame (after the 4-byte echo): 68 bytes in all.
Bytes ecuFrame(uint8_t fill = 0x11, int size = 64) {
    Bytes b(size, fill);
    if (!b.empty()) b[0] = 0xF4;
    return b;
}

class LinkCycleTest : public ::testing::Test {
  protected:
    void SetUp() override { state.selection.portName.set("COM3"); }
    void connect() { cycle.PressStart(); }
    // The disconnect press as the window does it.
    void disconnect() {
        cycle.PressStop();
        state.ecu.dataValid = 0.0f;
    }
    bool bufferIsZero() const {
        for (int i = 0; i < kReplyBufferSize; ++i)
            if (cycle.replyBuffer()[i] != 0) return false;
        return true;
    }
    // Opens and polls once with a good reply.
    void openWithGoodPoll() {
        connect();
        port.scriptAnswer(ecuFrame());
        ASSERT_TRUE(cycle.RunOnce());
        events.take();
    }

    MainState state;
    ScriptedSerialPort port;
    RecordingEvents events;
    LinkCycle cycle{state.requests, state.selection, state.ecu, port, events, events};
};

TEST_F(LinkCycleTest, OpensConfiguresAndJudgesAGoodReply) {
    for (int i = 0; i < kReplyBufferSize; ++i)
        ASSERT_EQ(cycle.replyBuffer()[i], 0);
    EXPECT_TRUE(cycle.RunOnce()); // nothing requested: no port activity
    EXPECT_TRUE(port.record().calls.empty());

    connect();
    port.scriptAnswer(ecuFrame());
    EXPECT_TRUE(cycle.RunOnce());

    EXPECT_EQ(port.record().openedNames, Log{"COM3"});
    EXPECT_EQ(cycle.portNameCopy(), "COM3");
    EXPECT_EQ(port.lastSettings.baudRate, 8200u);
    EXPECT_EQ(port.lastSettings.dataBits, 8);
    EXPECT_EQ(port.lastSettings.parity, 0);
    EXPECT_EQ(port.lastSettings.stopBits, 2);
    EXPECT_EQ(port.lastTimeouts.readInterval, 25u);
    EXPECT_EQ(port.lastTimeouts.readTotalMultiplier, 10u);
    EXPECT_EQ(port.lastTimeouts.readTotalConstant, 10u);
    EXPECT_EQ(port.lastTimeouts.writeTotalMultiplier, 5u);
    EXPECT_EQ(port.lastTimeouts.writeTotalConstant, 5u);
    EXPECT_EQ(port.record().calls, (Log{"open", "settings", "timeouts", "write", "read", "purge"}));
    EXPECT_EQ(port.record().writes, (std::vector<Bytes>{
                                        {0xF4, 0x56, 0x01, 0xB5}
    }));
    EXPECT_EQ(port.record().readSizes, std::vector<int>{70});

    EXPECT_EQ(events.take(),
              (Log{status(shown::kConnecting), status(shown::kDataReceived), "buttons on"}));
    EXPECT_EQ(state.requests.openRequested, 0);
    EXPECT_EQ(state.requests.closeRequested, 0);
    EXPECT_TRUE(cycle.linkOpen());
    EXPECT_EQ(state.ecu.dataValid, 1.0f);
    const auto raw = state.ecu.rawFrame.snapshot();
    const Bytes expected = {0xF4, 0x56, 0x01, 0xB5};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(raw[i], expected[i]);
    for (int i = 4; i < 68; ++i)
        EXPECT_EQ(raw[i], ecuFrame()[i - 4]) << i;
    EXPECT_EQ(raw[68], 0);
}

TEST_F(LinkCycleTest, SilentEcuBehindAnEchoingAdapter) {
    connect();
    port.setEchoWhenUnscripted(true);
    cycle.RunOnce();
    EXPECT_EQ(events.take(),
              (Log{status(shown::kConnecting), status(shown::kNoAnswer), "repaint"}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(cycle.RunOnce());
        EXPECT_EQ(events.take(), (Log{status(shown::kNoAnswer), "repaint"}));
        EXPECT_EQ(state.ecu.dataValid, 0.0f);
        EXPECT_TRUE(bufferIsZero());
    }
}

TEST_F(LinkCycleTest, WrongByteCountsAreNoAnswer) {
    openWithGoodPoll();
    for (int size : {63, 65, 66, 0}) { // 67, 69, 70 and 4 bytes with the echo
        port.scriptAnswer(ecuFrame(0x22, size));
        cycle.RunOnce();
        EXPECT_EQ(events.take(), (Log{status(shown::kNoAnswer), "repaint"})) << size;
        EXPECT_EQ(state.ecu.dataValid, 0.0f);
        EXPECT_EQ(state.ecu.rawFrame.snapshot(), (std::array<uint8_t, 69>{}));
        EXPECT_TRUE(bufferIsZero());
    }
}

TEST_F(LinkCycleTest, WrongEchoKeepsTheLastGoodDataButIsDecoded) {
    openWithGoodPoll();
    const auto goodFrame = state.ecu.rawFrame.snapshot();
    Bytes garbage = ecuFrame(0x33, 68);
    garbage[0] = 0xF5;
    port.scriptRaw(garbage);
    cycle.RunOnce();
    EXPECT_EQ(events.take(), Log{status(shown::kCheckAdapter)});
    EXPECT_EQ(state.ecu.rawFrame.snapshot(), goodFrame);
    EXPECT_EQ(state.ecu.dataValid, 1.0f);
    EXPECT_EQ(cycle.replyBuffer()[0], 0xF5);
    EXPECT_EQ(cycle.replyBuffer()[40], 0x33); // what the decoder sees
}

TEST_F(LinkCycleTest, NoAdapterAfterGoodData) {
    openWithGoodPoll();
    cycle.RunOnce(); // silence: the old echo is still in the buffer
    EXPECT_EQ(events.take(), (Log{status(shown::kNoAnswer), "repaint"}));
    for (int i = 0; i < 2; ++i) {
        cycle.RunOnce();
        EXPECT_EQ(events.take(), Log{status(shown::kCheckAdapter)});
    }
}

TEST_F(LinkCycleTest, DisconnectDuringAGoodPollThenClose) {
    openWithGoodPoll();
    port.scriptAnswer(ecuFrame(0x44), [this] { disconnect(); });
    EXPECT_TRUE(cycle.RunOnce());
    EXPECT_EQ(events.take(), (Log{status(shown::kDataReceived), "buttons on", "repaint",
                                  status(shown::kLinkBroken), "buttons off"}));
    EXPECT_EQ(state.ecu.rawFrame.snapshot(), (std::array<uint8_t, 69>{}));
    EXPECT_EQ(cycle.replyBuffer()[10], 0x44); // decoded once more
    EXPECT_EQ(state.requests.closeRequested, 1);
    EXPECT_TRUE(port.isOpen());

    // Next cycle: close, suspend; when resumed no poll runs.
    EXPECT_TRUE(cycle.RunOnce());
    EXPECT_EQ(events.take(), Log{"suspend"});
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.record().closes, 1);
    EXPECT_FALSE(cycle.linkOpen());
    EXPECT_TRUE(bufferIsZero());
    EXPECT_EQ(state.requests.openRequested, 1);
    EXPECT_EQ(state.requests.closeRequested, 0);
    EXPECT_EQ(state.ecu.dataValid, 0.0f);
    EXPECT_EQ(port.record().writes.size(), 2u);
}

TEST_F(LinkCycleTest, ConnectAfterDisconnectFinishesTheCycleThenOpens) {
    openWithGoodPoll();
    disconnect();
    state.requests.commandRequests[1] = 1; // pending when the thread resumes
    state.requests.requestStatus = 1;
    events.whileSuspended = [this] { connect(); };
    port.clearRecord();
    cycle.RunOnce();
    // The command went nowhere (the port is closed) and counts as rejected.
    EXPECT_EQ(port.record().calls, Log{"close"});
    EXPECT_EQ(state.requests.requestStatus, 2);
    EXPECT_EQ(state.requests.commandRequests[1], 0);

    port.scriptAnswer(ecuFrame());
    cycle.RunOnce();
    EXPECT_EQ(port.record().opensOverOpen, 0);
    EXPECT_EQ(events.take(), (Log{"suspend", status(shown::kConnecting),
                                  status(shown::kDataReceived), "buttons on"}));
}

TEST_F(LinkCycleTest, FailedOpenLeavesNoHandleAndSuspends) {
    for (auto outcome : {ScriptedSerialPort::OpenOutcome::NoDevice,
                         ScriptedSerialPort::OpenOutcome::SettingsRefused}) {
        port.scriptOpen(outcome);
        connect();
        EXPECT_TRUE(cycle.RunOnce());
        EXPECT_EQ(events.take(), (Log{status(shown::kOpenFailed), "suspend"}));
        EXPECT_FALSE(port.isOpen());
        EXPECT_FALSE(cycle.linkOpen());
        EXPECT_EQ(state.requests.openRequested, 1);
        EXPECT_EQ(state.requests.closeRequested, 0);
        EXPECT_EQ(port.record().writes.size(), 0u); // no poll
    }
    EXPECT_EQ(port.record().closes, 1); // the handle of the refused settings
}

// The button shows STOP after a failed open; STOP and then START must try again.
TEST_F(LinkCycleTest, StopThenStartAfterAFailedOpenTriesAgain) {
    port.scriptOpen(ScriptedSerialPort::OpenOutcome::NoDevice);
    connect();
    events.whileSuspended = [this] {
        disconnect();
        connect();
    };
    cycle.RunOnce();
    events.whileSuspended = nullptr;
    EXPECT_EQ(events.take(), (Log{status(shown::kOpenFailed), "suspend"}));

    port.scriptAnswer(ecuFrame());
    cycle.RunOnce();
    EXPECT_EQ(port.record().openedNames.size(), 2u);
    EXPECT_EQ(events.take(),
              (Log{status(shown::kConnecting), status(shown::kDataReceived), "buttons on"}));
}

// STOP and START while a poll is on the wire: the close step never runs, the
// port is reopened without leaking or re-opening the live handle.
TEST_F(LinkCycleTest, StopAndStartDuringAPollReopensCleanly) {
    openWithGoodPoll();
    port.scriptAnswer(ecuFrame(), [this] {
        disconnect();
        connect();
    });
    cycle.RunOnce();
    port.scriptAnswer(ecuFrame());
    cycle.RunOnce();
    port.scriptAnswer(ecuFrame());
    cycle.RunOnce();
    EXPECT_EQ(port.record().opensOverOpen, 0);
    EXPECT_EQ(port.record().openedNames.size(), 2u);
    EXPECT_EQ(port.record().closes, 1);
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(cycle.linkOpen());
    EXPECT_EQ(events.suspensions, 0);
    EXPECT_EQ(state.requests.openRequested, 0);
    EXPECT_EQ(state.requests.closeRequested, 0);
    EXPECT_EQ(state.ecu.dataValid, 1.0f);
    const Log log = events.take();
    EXPECT_EQ(log.back(), "buttons on");
    EXPECT_EQ(log[log.size() - 2], status(shown::kDataReceived));
}

TEST_F(LinkCycleTest, StopEndsTheWorkAfterABlockingCall) {
    openWithGoodPoll();
    port.scriptAnswer(ecuFrame(), [this] { cycle.RequestStop(); });
    state.requests.commandRequests[0] = 1;
    EXPECT_FALSE(cycle.RunOnce());
    EXPECT_TRUE(events.take().empty()); // nothing judged, decoded or sent after the read
    EXPECT_EQ(state.requests.commandRequests[0], 1);
    EXPECT_FALSE(cycle.RunOnce());
    EXPECT_EQ(port.record().writes.size(), 2u);
}

TEST_F(LinkCycleTest, StopWhileSuspendedDoesNothingMore) {
    openWithGoodPoll();
    disconnect();
    events.whileSuspended = [this] { cycle.RequestStop(); };
    EXPECT_FALSE(cycle.RunOnce());
    EXPECT_EQ(events.take(), Log{"suspend"});
    EXPECT_FALSE(cycle.RunOnce());
    EXPECT_TRUE(events.log.empty());
}

// A USB adapter pulled out mid-session: reads and writes fail at once. The link
// shows what a dead line shows, waits out each read's time-out instead of
// spinning, and START after plugging it back in polls again.
TEST_F(LinkCycleTest, PulledOutAdapterIsADeadLineAndStartAfterReplugWorks) {
    openWithGoodPoll();
    port.setUnplugged(true);
    port.clearRecord();
    cycle.RunOnce(); // the last good echo is still in the buffer
    EXPECT_EQ(events.take(), (Log{status(shown::kNoAnswer), "repaint"}));
    EXPECT_EQ(port.record().idleMs, 710u);
    EXPECT_EQ(port.record().calls, (Log{"write", "purge"})); // no read after a failed write
    for (int i = 0; i < 3; ++i) {
        cycle.RunOnce();
        EXPECT_EQ(events.take(), Log{status(shown::kCheckAdapter)});
        EXPECT_EQ(state.ecu.dataValid, 0.0f);
    }
    EXPECT_EQ(port.record().idleMs, 4 * 710u);

    // A command meets the dead line too: rejected, its read's time waited out.
    state.requests.commandRequests[1] = 1;
    state.requests.requestStatus = 0;
    cycle.RunOnce();
    EXPECT_EQ(state.requests.requestStatus, 2);
    EXPECT_EQ(port.record().idleMs, 5 * 710u + 310u);

    // The read itself failing (the write still went out) is the same.
    port.setUnplugged(false);
    port.scriptRead({true, {}, [this] { port.setUnplugged(true); }});
    events.take();
    cycle.RunOnce();
    EXPECT_EQ(events.take(), Log{status(shown::kCheckAdapter)});
    EXPECT_EQ(port.record().idleMs, 6 * 710u + 310u);

    // STOP; START while it is still out: the open fails. STOP, plug it back, START.
    disconnect();
    cycle.RunOnce();
    EXPECT_FALSE(port.isOpen());
    port.scriptOpen(ScriptedSerialPort::OpenOutcome::NoDevice);
    connect();
    events.whileSuspended = [this] {
        disconnect();
        port.setUnplugged(false);
        connect();
    };
    events.take();
    cycle.RunOnce();
    EXPECT_EQ(events.take(), (Log{status(shown::kOpenFailed), "suspend"}));
    events.whileSuspended = nullptr;
    port.scriptAnswer(ecuFrame());
    cycle.RunOnce();
    EXPECT_EQ(events.take().back(), "buttons on");
    EXPECT_TRUE(cycle.linkOpen());
    EXPECT_EQ(state.ecu.dataValid, 1.0f);
}

} // namespace
