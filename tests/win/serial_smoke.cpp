// The Win32 serial port against the ECU simulator on COM1 (a pty under Wine).
#include <gtest/gtest.h>

#include "platform/Win32SerialPort.h"
#include "tests/win/EcusimControl.h"

namespace {

const uint8_t kPoll[4] = {0xF4, 0x56, 0x01, 0xB5};

class SerialSmoke : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ecusim_control::available()) GTEST_SKIP() << "no simulator (run under scripts/test)";
        ASSERT_TRUE(ecusim_control::send("reset"));
        ASSERT_TRUE(port.open("COM1"));
        port.applyLineSettings(SerialLineSettings());
        ASSERT_TRUE(port.setTimeouts(SerialTimeouts()));
        port.purgeReceive(); // nothing an earlier program left on the line
    }
    void TearDown() override {
        port.close();
        ecusim_control::send("reset");
    }

    // One poll as the link does it; returns the count and the milliseconds the read took.
    int poll(uint8_t* reply, DWORD& readMs) {
        EXPECT_EQ(port.write(kPoll, 4), 4);
        const DWORD start = GetTickCount();
        const int n = port.read(reply, 70);
        readMs = GetTickCount() - start;
        port.purgeReceive();
        return n;
    }

    Win32SerialPort port;
};

} // namespace

// 8200 baud cannot be checked here: a pty under Wine has no such rate and reports a stand-in.
TEST_F(SerialSmoke, LineIsSet8DataBitsNoParityTwoStopBits) {
    SerialLineSettings now;
    now.dataBits = now.parity = now.stopBits = 0xFF;
    ASSERT_TRUE(port.lineSettings(now));
    EXPECT_EQ(now.dataBits, 8);
    EXPECT_EQ(now.parity, NOPARITY);
    EXPECT_EQ(now.stopBits, TWOSTOPBITS);
}

TEST_F(SerialSmoke, PollAnswerEndsOnTheInterByteTimeout) {
    for (const char* pace : {"pace off", "pace on"}) {
        ASSERT_TRUE(ecusim_control::send(pace));
        uint8_t reply[100] = {};
        DWORD ms = 0;
        ASSERT_EQ(poll(reply, ms), 68) << pace;
        EXPECT_EQ(0, memcmp(reply, kPoll, 4));
        EXPECT_EQ(reply[4], 0xF4);
        unsigned sum = 0;
        for (int i = 4; i < 68; ++i)
            sum += reply[i];
        EXPECT_EQ(sum % 256, 0u);
        // 70 asked, 68 came: the read ends 25 ms after the last byte, long before 710 ms.
        EXPECT_LT(ms, 500u) << pace;
    }
}

TEST_F(SerialSmoke, SilentLineEndsOnTheTotalTimeout) {
    ASSERT_TRUE(ecusim_control::send("fault silent"));
    uint8_t reply[100] = {};
    DWORD ms = 0;
    EXPECT_EQ(poll(reply, ms), 0);
    // 10 + 70 × 10 ms.
    EXPECT_GE(ms, 650u);
    EXPECT_LT(ms, 1500u);
}

TEST_F(SerialSmoke, ShortAndLongAnswersArriveAsSent) {
    const struct {
        const char* fault;
        int count;
    } cases[] = {
        {"fault echo",   4 },
        {"fault short",  67},
        {"fault long70", 70}
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(ecusim_control::send(c.fault));
        uint8_t reply[100] = {};
        DWORD ms = 0;
        EXPECT_EQ(poll(reply, ms), c.count) << c.fault;
    }
    // After the purge the next poll starts clean.
    ASSERT_TRUE(ecusim_control::send("fault none"));
    uint8_t reply[100] = {};
    DWORD ms = 0;
    EXPECT_EQ(poll(reply, ms), 68);
    EXPECT_EQ(reply[0], 0xF4);
}

TEST_F(SerialSmoke, CommandFrameIsAnsweredAndLogged) {
    const uint8_t giveBack[14] = {0xF4, 0x60, 0x04, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xA8};
    ASSERT_EQ(port.write(giveBack, 14), 14);
    uint8_t reply[30] = {};
    EXPECT_EQ(port.read(reply, 30), 28);
    port.purgeReceive();
    EXPECT_EQ(reply[18], 0x00);
    EXPECT_TRUE(ecusim_control::logHas("rx F4 60 04 00 00 00 00 00 00 00 00 00 00 A8"));
}

TEST(SerialPortEdges, UnmappedPortDoesNotOpenAndClosedPortRefusesEverything) {
    Win32SerialPort port;
    EXPECT_FALSE(port.open("COM8")); // the harness leaves COM8 unmapped
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.setTimeouts(SerialTimeouts()));
    uint8_t b[4] = {};
    EXPECT_EQ(port.write(b, 4), 0);
    EXPECT_EQ(port.read(b, 4), 0);
    port.purgeReceive();
    port.close();
}
