// Command frames and the command step against the scripted port.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "link/CommandFrames.h"
#include "link/CommandStep.h"
#include "platform/ScriptedSerialPort.h"
#include "state/MainState.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes frameBytes(const CommandFrame& f) {
    return Bytes(f.begin(), f.end());
}

const CommandFrameRow* rowOfSlot(int family, int slot) {
    const CommandTable t = FamilyCommandTable(family);
    for (int i = 0; i < t.count; ++i)
        if (t.rows[i].slot == slot) return &t.rows[i];
    return nullptr;
}

// The ECU's answer after the 14-byte echo, with `value` at reply byte `pos`.
Bytes answerWith(int pos, uint8_t value) {
    Bytes answer(16, 0x55);
    answer[pos - kCommandFrameSize] = value;
    return answer;
}

TEST(CommandFrames, ExampleFramesAreBuiltExactly) {
    EXPECT_EQ(frameBytes(BuildCommandFrame(*rowOfSlot(1, 9), 128)),
              (Bytes{0xF4, 0x60, 0x04, 0, 0, 0, 0, 0, 0, 0x0B, 0x80, 0, 0, 0x1D}));
    EXPECT_EQ(frameBytes(BuildCommandFrame(*rowOfSlot(4, 13), 147)),
              (Bytes{0xF4, 0x60, 0x04, 0x80, 0, 0, 0, 0, 0x04, 0, 0x93, 0, 0, 0x91}));
    EXPECT_EQ(frameBytes(BuildCommandFrame(*rowOfSlot(4, 9), 0)),
              (Bytes{0xF4, 0x60, 0x04, 0x80, 0, 0, 0, 0, 0, 0x03, 0, 0, 0, 0x25}));
    EXPECT_EQ(frameBytes(BuildCommandFrame(ClearCodesFrame(4), 0)),
              (Bytes{0xF4, 0x60, 0x04, 0, 0, 0x10, 0, 0, 0, 0, 0, 0, 0, 0x98}));
    for (int family : {1, 2, 3, 5})
        EXPECT_EQ(frameBytes(BuildCommandFrame(ClearCodesFrame(family), 0)),
                  (Bytes{0xF4, 0x60, 0x04, 0, 0, 0x40, 0, 0, 0, 0, 0, 0, 0, 0x68}));
}

// A typo in a table shows up as a frame whose bytes do not add up to 0, or as
// a tested byte that is not the one carrying the command's value.
TEST(CommandFrames, EveryStoredFrameSumsToZeroAndTestsItsValueByte) {
    std::vector<const CommandFrameRow*> rows = {&ClearCodesFrame(1), &ClearCodesFrame(4),
                                                &ReturnControlFrame()};
    for (int family = 1; family <= 4; ++family) {
        const CommandTable t = FamilyCommandTable(family);
        for (int i = 0; i < t.count; ++i)
            rows.push_back(&t.rows[i]);
    }
    for (const CommandFrameRow* row : rows) {
        for (int32_t target : {0, 1, 200, 255}) {
            const CommandFrame f = BuildCommandFrame(*row, target);
            unsigned sum = 0;
            for (uint8_t b : f)
                sum += b;
            EXPECT_EQ(sum % 256, 0u) << "slot " << row->slot;
            if (row->checkByte >= 0) {
                const int n = row->checkByte - kCommandFrameSize;
                const int value = row->target == FrameTarget::None ? row->expected : target;
                EXPECT_EQ(f[n], value) << "slot " << row->slot;
            }
        }
    }
    EXPECT_EQ(FamilyCommandTable(5).count, 0);
}

class CommandStepTest : public ::testing::Test {
  protected:
    void SetUp() override { port.open("COM1"); }
    void run(bool portOpen = true) {
        RunCommandStep(state.requests, state.selection.ecuFamily.load(), port, portOpen, stop);
    }

    MainState state;
    ScriptedSerialPort port;
    std::atomic<bool> stop{false};
};

TEST_F(CommandStepTest, PendingFlagsAreServedInTableOrderThenReturnControl) {
    state.selection.ecuFamily = 4;
    state.requests.mixtureTarget = 147;
    state.requests.idleTarget = 40;
    for (int slot : {13, 9, 10, 0})
        state.requests.commandRequests[slot] = 1;
    state.requests.clearCodesRequested = 1;
    state.requests.returnControlRequested = 1;
    state.requests.commandRequests[8] = 1; // never served by any family

    run();

    const auto& w = port.record().writes;
    ASSERT_EQ(w.size(), 6u);
    EXPECT_EQ(w[0], frameBytes(BuildCommandFrame(ClearCodesFrame(4), 0)));
    EXPECT_EQ(w[1], frameBytes(BuildCommandFrame(*rowOfSlot(4, 0), 0)));
    EXPECT_EQ(w[2], frameBytes(BuildCommandFrame(*rowOfSlot(4, 10), 0)));
    EXPECT_EQ(w[3], frameBytes(BuildCommandFrame(*rowOfSlot(4, 9), 40)));
    EXPECT_EQ(w[4], frameBytes(BuildCommandFrame(*rowOfSlot(4, 13), 147)));
    EXPECT_EQ(w[5], frameBytes(BuildCommandFrame(ReturnControlFrame(), 0)));
    EXPECT_EQ(port.record().readSizes, std::vector<int>(6, kCommandReplySize));
    EXPECT_EQ(port.record().purges, 6);

    for (int slot : {0, 9, 10, 13})
        EXPECT_EQ(state.requests.commandRequests[slot], 0) << slot;
    EXPECT_EQ(state.requests.clearCodesRequested, 0);
    EXPECT_EQ(state.requests.returnControlRequested, 0);
    EXPECT_EQ(state.requests.commandRequests[8], 1);

    run(); // nothing left to send
    EXPECT_EQ(port.record().writes.size(), 6u);
}

TEST_F(CommandStepTest, ReturnControlAfterSlotOneDecidesTheStatus) {
    port.scriptAnswer(answerWith(18, 0x00)); // slot 1 confirmed
    port.scriptAnswer(answerWith(18, 0x07)); // return control rejected
    state.requests.commandRequests[1] = 1;
    state.requests.returnControlRequested = 1;
    run();
    ASSERT_EQ(port.record().writes.size(), 2u);
    EXPECT_EQ(port.record().writes[0], frameBytes(BuildCommandFrame(*rowOfSlot(1, 1), 0)));
    EXPECT_EQ(port.record().writes[1], frameBytes(BuildCommandFrame(ReturnControlFrame(), 0)));
    EXPECT_EQ(state.requests.requestStatus, 2);
}

TEST_F(CommandStepTest, ConfirmationOnlyOnTheExpectedByteAtTheTestedPosition) {
    state.selection.ecuFamily = 3;
    struct Case {
        Bytes answer;
        int32_t status;
    } cases[] = {
        {answerWith(22, 0xFF), 1}, // family 3 air-conditioning on: byte 22
        {answerWith(22, 0xFE), 2}, // another value
        {answerWith(18, 0xFF), 2}, // right value, wrong place
        {Bytes(8,       0xFF), 2}, // answer ends before byte 22 (22 bytes in all)
        {Bytes(9,       0xFF), 1}, // just reaches it
    };
    for (const Case& c : cases) {
        port.scriptAnswer(c.answer);
        state.requests.requestStatus = 0;
        state.requests.commandRequests[4] = 1;
        run();
        EXPECT_EQ(state.requests.requestStatus, c.status) << ::testing::PrintToString(c.answer);
    }
}

// A silent ECU (echo only, or nothing) must not make a command look accepted,
// even one whose expected value is 00 and whose earlier answer confirmed it.
TEST_F(CommandStepTest, NoAnswerIsARejection) {
    port.scriptAnswer(answerWith(18, 0x00));
    state.requests.commandRequests[3] = 1;
    run();
    EXPECT_EQ(state.requests.requestStatus, 1);

    port.scriptEchoOnly();
    state.requests.commandRequests[3] = 1;
    run();
    EXPECT_EQ(state.requests.requestStatus, 2);

    port.scriptSilence();
    state.requests.returnControlRequested = 1;
    run();
    EXPECT_EQ(state.requests.requestStatus, 2);
}

TEST_F(CommandStepTest, ClearCodesLeavesTheStatusAlone) {
    state.requests.requestStatus = 1;
    state.requests.clearCodesRequested = 1;
    run();
    EXPECT_EQ(state.requests.requestStatus, 1);
    EXPECT_EQ(port.record().writes.size(), 1u);
}

TEST_F(CommandStepTest, IdleTargetIsComparedWhole) {
    state.requests.idleTarget = 128 + 256; // the frame carries the low byte, the reply cannot match
    state.requests.commandRequests[9] = 1;
    port.scriptAnswer(answerWith(24, 0x80));
    run();
    EXPECT_EQ(port.record().writes[0][10], 0x80);
    EXPECT_EQ(state.requests.requestStatus, 2);

    state.requests.idleTarget = 128;
    state.requests.commandRequests[9] = 1;
    port.scriptAnswer(answerWith(24, 0x80));
    run();
    EXPECT_EQ(state.requests.requestStatus, 1);
}

TEST_F(CommandStepTest, OtherFamilysSlotsStayPending) {
    state.selection.ecuFamily = 1;
    state.requests.commandRequests[13] = 1;
    state.requests.commandRequests[10] = 1;
    run();
    EXPECT_TRUE(port.record().writes.empty());
    state.selection.ecuFamily = 5;
    state.requests.commandRequests[0] = 1;
    run();
    EXPECT_TRUE(port.record().writes.empty());
    EXPECT_EQ(state.requests.commandRequests[0], 1);

    state.selection.ecuFamily = 4;
    run();
    EXPECT_EQ(port.record().writes.size(), 3u); // slots 0, 10, 13
    EXPECT_EQ(state.requests.commandRequests[13], 0);
}

// A request made while the frame of the same slot is on the wire (the idle
// trackbar moved again) is not lost: it goes out with its own target next time.
TEST_F(CommandStepTest, RequestDuringTheExchangeStaysPending) {
    state.requests.idleTarget = 100;
    state.requests.commandRequests[9] = 1;
    port.scriptAnswer(answerWith(24, 100), [this] {
        state.requests.idleTarget = 128;
        state.requests.commandRequests[9] = 1;
    });
    run();
    EXPECT_EQ(state.requests.commandRequests[9], 1);
    run();
    ASSERT_EQ(port.record().writes.size(), 2u);
    EXPECT_EQ(port.record().writes[0][10], 100);
    EXPECT_EQ(port.record().writes[1][10], 128);
}

TEST_F(CommandStepTest, ClosedPortSendsNothingAndRejects) {
    port.close();
    state.requests.requestStatus = 1;
    state.requests.commandRequests[1] = 1; // expects 00: must not pass on an empty reply
    run(false);
    EXPECT_EQ(state.requests.requestStatus, 2);
    EXPECT_EQ(state.requests.commandRequests[1], 0);
    EXPECT_EQ(port.record().ioWhileClosed, 0);
}

TEST_F(CommandStepTest, StopEndsTheStepBetweenExchanges) {
    state.requests.commandRequests[0] = 1;
    state.requests.commandRequests[2] = 1;
    port.scriptAnswer(answerWith(18, 1), [this] { stop = true; });
    run();
    EXPECT_EQ(port.record().writes.size(), 1u);
}

} // namespace
