// The main window built in-process, talking to the ECU simulator on COM1: for
// each ECU family, a car and engine of that family is chosen with the car and
// engine buttons, the simulator answers with that family's layout, and after
// START the readout shows the simulator's engine (idle revs, battery, coolant,
// PROM id). A wrong layout for the chosen family shows as implausible figures.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/TForm1.h"
#include "link/ComPort_win32.h"
#include "tests/common/ShownTexts.h"
#include "tests/win/ProgramDriver.h"

namespace {

using namespace program_driver;

using shown::kDataReceived;

void CarButton(TForm1& f) {
    Click(f, f.Image3);
}
void EngineButton(TForm1& f) {
    Click(f, f.Image4);
}
void StartStopButton(TForm1& f) {
    Click(f, f.Image15);
}

// A readout number: the decimal separator may be a comma or a point.
double Number(const std::string& text) {
    std::string t = text;
    for (char& c : t)
        if (c == ',') c = '.';
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    return (t.empty() || *end) ? -1e9 : v;
}

// The main window, made on first use with the simulator's COM1 as the stored port.
TForm1& Window() {
    static TForm1& form = []() -> TForm1& {
        DWORD port = 0;
        RegSetKeyValueA(HKEY_CURRENT_USER, "MOTOSKOP\\Com", "ComPort", REG_DWORD, &port,
                        sizeof(port));
        return Main();
    }();
    return form;
}

struct Readout {
    double revs, coolant, battery, airFuel;
    std::string prom;
};

// The simulator answers in the layout of family; START, wait for fresh data
// (and, when waitForIdle, for the engine at idle), read the readout, STOP.
Readout Connect(TForm1& f, int family, bool waitForIdle = true) {
    Readout r{};
    EXPECT_TRUE(ecusim_control::send("family " + std::to_string(family)));
    // Marks that only a decode of this connection overwrites.
    for (int n : {1, 8, 13, 14})
        f.Param_(n).setText("-");

    StartStopButton(f);
    EXPECT_EQ(f.connectState, 1);
    const bool data = PumpUntil(
        [&] { return f.Label51.text() == kDataReceived && f.Param_(14).text() != "-"; }, 5000);
    EXPECT_TRUE(data) << "family " << family << ": status '" << f.Label51.text() << "'";
    if (!data) waitForIdle = false; // no engine to wait for
    PumpFor(300);                   // a few more polls
    EXPECT_EQ(f.Label51.text(), kDataReceived) << "family " << family;
    EXPECT_TRUE(f.Image17.enabled()) << "family " << family; // ERROR lights up with data
    // The simulator's mechanic blips the throttle now and then: read the
    // readout while the throttle is closed and the revs are down.
    if (waitForIdle) {
        const bool idle = PumpUntil(
            [&] {
                const double revs = Number(f.Param_(1).text());
                return f.Param_(5).text() == "0" && revs >= 600 && revs <= 1500;
            },
            6000);
        EXPECT_TRUE(idle) << "family " << family << ": revs " << f.Param_(1).text() << ", throttle "
                          << f.Param_(5).text();
    }
    r.revs = Number(f.Param_(1).text());
    r.coolant = Number(f.Param_(8).text());
    r.battery = Number(f.Param_(13).text());
    r.airFuel = Number(f.Param_(4).text());
    r.prom = f.Param_(14).text();

    StartStopButton(f);
    EXPECT_EQ(f.connectState, 0);
    EXPECT_TRUE(PumpUntil([] { return linkThread && linkThread->SuspendedBySelf(); }, 3000))
        << "family " << family << ": the link thread did not let the port go";
    PumpFor(100); // the last readout updates
    return r;
}

void ExpectSimulatorEngine(const Readout& r, int family) {
    SCOPED_TRACE("family " + std::to_string(family));
    std::printf("family %d: revs %.0f, coolant %.0f, battery %.1f, air/fuel %.1f, PROM id %s\n",
                family, r.revs, r.coolant, r.battery, r.airFuel, r.prom.c_str());
    EXPECT_GE(r.revs, 600);
    EXPECT_LE(r.revs, 1500);
    EXPECT_GE(r.battery, 13.0);
    EXPECT_LE(r.battery, 15.0);
    EXPECT_GE(r.coolant, 10);
    EXPECT_LE(r.coolant, 100);
    EXPECT_GE(r.airFuel, 12.0);
    EXPECT_LE(r.airFuel, 16.0);
    EXPECT_EQ(r.prom, "0x1A0B");
}

class ProgramFamilies : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ecusim_control::available()) GTEST_SKIP() << "no simulator";
    }
    void TearDown() override {
        if (ecusim_control::available()) ecusim_control::send("family 1");
    }
};

// One test, in order: each family is reached from where the previous one left
// the car and engine buttons.
TEST_F(ProgramFamilies, ReadoutFollowsTheSimulatorInEveryFamily) {
    TForm1& f = Window();

    // 1: ESPERO, 1.5 MPFI DOHC до 92г.
    ASSERT_EQ(f.Label3.text(), "1.5 MPFI DOHC до 92г.");
    ASSERT_EQ(f.state.selection.ecuFamily.load(), 1);
    ExpectSimulatorEngine(Connect(f, 1), 1);

    // 2: ESPERO, 1.5 MPI DOHC.
    EngineButton(f);
    EngineButton(f);
    ASSERT_EQ(f.Label3.text(), "1.5 MPI DOHC");
    ASSERT_EQ(f.state.selection.ecuFamily.load(), 2);
    ExpectSimulatorEngine(Connect(f, 2), 2);

    // 3: ESPERO, 2.0 TBI SOHC.
    for (int i = 0; i < 4; ++i)
        EngineButton(f);
    ASSERT_EQ(f.Label3.text(), "2.0 TBI SOHC");
    ASSERT_EQ(f.state.selection.ecuFamily.load(), 3);
    ExpectSimulatorEngine(Connect(f, 3), 3);

    // 4: LANOS, 1.3 SOHC.
    CarButton(f);
    ASSERT_EQ(f.Label2.text(), "LANOS");
    ASSERT_EQ(f.state.selection.ecuFamily.load(), 4);
    ExpectSimulatorEngine(Connect(f, 4), 4);

    // A layout the chosen engine does not use: family 1 answers read as family 4
    // are not the engine (revs come from byte 19 instead of 15).
    const Readout wrong = Connect(f, 1, false);
    EXPECT_FALSE(wrong.revs >= 600 && wrong.revs <= 1500 && wrong.battery >= 13 &&
                 wrong.battery <= 15)
        << "revs " << wrong.revs << ", battery " << wrong.battery;
}

} // namespace
