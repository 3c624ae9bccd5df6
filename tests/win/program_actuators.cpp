// The actuator window of the running program against the ECU simulator: the
// main window connects on COM1, opens the window with its TEST button, and each
// button, trackbar and the exit reach the ECU as command frames whose answer
// shows on the request-state line.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "link/TForm5.h"
#include "tests/win/ProgramDriver.h"

using namespace program_driver;

namespace {

// The request-state line as the user reads it.
const char kAcceptedLine[] = "ЭБУ принял запрос.";
const char kRejectedLine[] = "ЭБУ отклонил запрос.";

// Command data bytes 3..12 as the simulator must receive them.
const unsigned char kFamily1FanOn[10] = {0x02, 0x02};
const unsigned char kFamily1FanOff[10] = {0x02, 0x00};
const unsigned char kFamily1LampOn[10] = {0x01, 0x01};
const unsigned char kFamily1LampOff[10] = {0x01, 0x00};
const unsigned char kFamily4FanOn[10] = {0x82, 0x02};
const unsigned char kReturnControl[10] = {};
const char kFamily1IdlePrefix[] = "rx F4 60 04 00 00 00 00 00 00 0B";
const char kFamily4MixturePrefix[] = "rx F4 60 04 80 00 00 00 00 04 00";

std::string Family1Idle(int target) {
    const unsigned char data[10] = {0, 0, 0, 0, 0, 0, 0x0B, static_cast<unsigned char>(target)};
    return CommandLine(data);
}
std::string Family4Idle(int target) {
    const unsigned char data[10] = {0x80, 0, 0, 0, 0, 0, 0x03, static_cast<unsigned char>(target)};
    return CommandLine(data);
}
std::string Family4Mixture(int target) {
    const unsigned char data[10] = {0x80, 0, 0, 0, 0, 0x04, 0, static_cast<unsigned char>(target)};
    return CommandLine(data);
}

// When, counted from a request, the request-state line showed the expected
// outcome and when it went blank again (-1: never).
struct StatusLine {
    long long shown = -1;
    long long cleared = -1;
    std::string seen; // the last text before the blank, for the failure message
};

StatusLine WatchStatusLine(TForm5& window, const std::string& expected, long long since) {
    StatusLine s;
    PumpUntil(
        [&] {
            const std::string text = window.Label11.text();
            if (!text.empty()) s.seen = text;
            if (s.shown < 0 && text == expected) s.shown = Now() - since;
            if (s.shown >= 0 && text.empty()) {
                s.cleared = Now() - since;
                return true;
            }
            return false;
        },
        5000);
    std::printf("status \"%s\" after %lld ms, blank after %lld ms\n", expected.c_str(), s.shown,
                s.cleared);
    return s;
}

// The outcome within two seconds of the request, the blank line two seconds
// after it (a little slack for a busy machine).
void ExpectStatusLine(const StatusLine& s) {
    EXPECT_GE(s.shown, 0) << "last shown: " << s.seen;
    EXPECT_LE(s.shown, 2300);
    EXPECT_GE(s.cleared, 1800);
    EXPECT_LE(s.cleared, 3300);
}

// Runs the message loop until the window's refresh tick has just run, so that
// the next one is a second away.
void JustAfterRefreshTick(TForm5& window) {
    int ticks = 0;
    const auto refresh = window.Timer1.OnTimer;
    window.Timer1.OnTimer = [&ticks, refresh] {
        refresh();
        ++ticks;
    };
    PumpUntil([&ticks] { return ticks > 0; }, 2000);
    window.Timer1.OnTimer = refresh;
}

class ActuatorWindowAgainstTheEcu : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ecusim_control::available()) GTEST_SKIP() << "no simulator";
        ASSERT_TRUE(ecusim_control::send("reset"));
    }
    void TearDown() override {
        ecusim_control::send("confirm on");
        Disconnect(Main());
    }

    // TEST on the main window: a new actuator window, the main window disabled.
    TForm5& Open() {
        TForm1& f = Main();
        EXPECT_TRUE(f.Image16.enabled());
        f.Image16MouseUp();
        EXPECT_NE(Form5, nullptr);
        EXPECT_TRUE(Form5->isVisible());
        EXPECT_FALSE(f.isEnabled());
        return *Form5;
    }

    // "Выход": the main window usable again, the return-control frame sent.
    void Exit(TForm5& window) {
        const NewFrames returnControl(CommandLine(kReturnControl));
        Click(window, window.Image3);
        EXPECT_TRUE(Main().isEnabled());
        EXPECT_FALSE(window.isVisible());
        EXPECT_TRUE(PumpUntil([&] { return returnControl.count() == 1; }, 2000))
            << returnControl.line();
    }
};

} // namespace

TEST_F(ActuatorWindowAgainstTheEcu, FamilyOneButtonsTrackbarAndExit) {
    TForm1& f = Main();
    ASSERT_EQ(f.state.selection.ecuFamily.load(), 1);
    ASSERT_TRUE(Connect(f)) << f.Label51.text();
    ASSERT_GT(f.state.ecu.ecuIdleRaw.load(), 0);

    // Opening puts the idle trackbar on the ECU's desired idle, which asks for
    // an idle frame with that target; the fan right after it is confirmed too,
    // and the line still goes blank two seconds after the first request.
    const NewFrames idleFrames(kFamily1IdlePrefix, false);
    const NewFrames fanOn(CommandLine(kFamily1FanOn));
    const long long opened = Now();
    TForm5& window = Open();
    const int ecuIdle = window.TrackBar1.position();
    EXPECT_NEAR(ecuIdle, f.state.ecu.ecuIdleRaw.load(), 1); // the engine is warming up
    EXPECT_EQ(window.Label14.text(), std::to_string(static_cast<int>(ecuIdle * 6.25)));
    EXPECT_TRUE(window.Timer2.enabled());
    Click(window, window.Image16);
    ExpectStatusLine(WatchStatusLine(window, kAcceptedLine, opened));
    EXPECT_GE(idleFrames.count(), 1);
    EXPECT_GE(LogCount(Family1Idle(ecuIdle)), 1) << Family1Idle(ecuIdle);
    EXPECT_EQ(fanOn.count(), 1);

    // The ECU refuses the lamp.
    ASSERT_TRUE(ecusim_control::send("confirm off"));
    const NewFrames lampOn(CommandLine(kFamily1LampOn));
    long long since = Now();
    Click(window, window.Image12);
    ExpectStatusLine(WatchStatusLine(window, kRejectedLine, since));
    EXPECT_EQ(lampOn.count(), 1);
    ASSERT_TRUE(ecusim_control::send("confirm on"));

    // The user sets 625 rpm; the ECU takes it as its desired idle, so the
    // trackbar stays there and the ECU's own value reads the same. (Dragged
    // just after a refresh, so no refresh pulls it back before the ECU knows.)
    JustAfterRefreshTick(window);
    const NewFrames idle100(Family1Idle(100));
    since = Now();
    Drag(window, window.TrackBar1, 100);
    EXPECT_EQ(window.Label14.text(), "625");
    ExpectStatusLine(WatchStatusLine(window, kAcceptedLine, since));
    EXPECT_EQ(idle100.count(), 1) << idle100.line();
    EXPECT_TRUE(PumpUntil([&] { return window.Label12.text() == "625"; }, 1500))
        << window.Label12.text();
    EXPECT_EQ(window.TrackBar1.position(), 100);

    // Fan and lamp off together: both frames, one status period from the first.
    const NewFrames fanOff(CommandLine(kFamily1FanOff));
    const NewFrames lampOff(CommandLine(kFamily1LampOff));
    since = Now();
    Click(window, window.Image8);
    Click(window, window.Image4);
    ExpectStatusLine(WatchStatusLine(window, kAcceptedLine, since));
    EXPECT_EQ(fanOff.count(), 1);
    EXPECT_EQ(lampOff.count(), 1);

    Exit(window);
}

TEST_F(ActuatorWindowAgainstTheEcu, FamilyFourFanMixtureIdleAndExit) {
    TForm1& f = Main();
    // The next car after ESPERO is a LANOS: family 4.
    if (f.state.selection.ecuFamily.load() != 4) Click(f, f.Image3);
    ASSERT_EQ(f.state.selection.ecuFamily.load(), 4);
    ASSERT_EQ(f.Label2.text(), "LANOS");
    ASSERT_TRUE(ecusim_control::send("family 4"));
    ASSERT_TRUE(Connect(f)) << f.Label51.text();
    ASSERT_GT(f.state.ecu.ecuAirFuelRaw.load(), 0);

    TForm5& window = Open();
    EXPECT_FALSE(window.Image13.enabled());
    EXPECT_TRUE(window.TrackBar2.enabled());

    // The fan, and at the first tick the mixture trackbar takes the ECU's
    // air/fuel ratio, which asks for a mixture frame with it.
    const NewFrames fanOn(CommandLine(kFamily4FanOn));
    const NewFrames mixtureFrames(kFamily4MixturePrefix, false);
    long long since = Now();
    Click(window, window.Image16);
    ExpectStatusLine(WatchStatusLine(window, kAcceptedLine, since));
    EXPECT_EQ(fanOn.count(), 1);
    const int airFuel = window.TrackBar2.position();
    EXPECT_NEAR(airFuel, f.state.ecu.ecuAirFuelRaw.load(), 15); // open or closed loop
    EXPECT_GE(mixtureFrames.count(), 1);
    EXPECT_GE(LogCount(Family4Mixture(airFuel)), 1) << Family4Mixture(airFuel);
    EXPECT_EQ(window.Label15.text(), window.Label13.text());

    // An idle speed the ECU refuses.
    ASSERT_TRUE(ecusim_control::send("confirm off"));
    const NewFrames idle128(Family4Idle(128));
    since = Now();
    Drag(window, window.TrackBar1, 128);
    EXPECT_EQ(window.Label14.text(), "800");
    ExpectStatusLine(WatchStatusLine(window, kRejectedLine, since));
    EXPECT_EQ(idle128.count(), 1) << idle128.line();
    ASSERT_TRUE(ecusim_control::send("confirm on"));

    Exit(window);
}
