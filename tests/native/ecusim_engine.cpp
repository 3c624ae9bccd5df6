// The simulated engine, read back through the program's own decoders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "link/ReplyDecoder.h"
#include "state/MainState.h"
#include "tools/ecusim/EcuSimulator.h"

using namespace ecusim;

namespace {

class QuietEvents : public NoLinkEvents {
  public:
    std::string readout[15];
    void setReadout(int param, const std::string& text) override {
        if (param >= 1 && param <= 14) readout[param] = text;
    }
};

struct Reading {
    double rpm, coolant, battery, o2;
    std::string prom, time;
};

Reading poll(EcuSimulator& sim, int family, MainState& state, QuietEvents& events) {
    static const uint8_t request[] = {0xF4, 0x56, 0x01, 0xB5};
    uint8_t buffer[kReplyBufferSize] = {};
    size_t at = 0;
    for (const Transmit& t : sim.receive(request, 4).out)
        for (uint8_t b : t.bytes)
            buffer[at++] = b;
    state.selection.ecuFamily = family;
    DecodeReply(buffer, state.selection.ecuFamily.load(), state.selection.decimalSeparator.load(),
                state.ecu, events);
    auto number = [](const std::string& s) {
        std::string c = s;
        for (char& ch : c)
            if (ch == ',') ch = '.';
        return std::atof(c.c_str());
    };
    return {number(events.readout[1]),  number(events.readout[8]), number(events.readout[13]),
            number(events.readout[10]), events.readout[14],        ""};
}

} // namespace

TEST(EcusimEngine, ColdStartWarmsUpToABelievableIdleInEveryFamily) {
    for (int family = 1; family <= 4; ++family) {
        Settings s;
        s.family = family;
        EcuSimulator sim(s, 7, 18);
        MainState state;
        QuietEvents events;
        Reading cold = poll(sim, family, state, events);
        EXPECT_NEAR(cold.coolant, 18, 2) << family;
        EXPECT_GT(cold.rpm, 1000) << family; // fast idle when cold
        EXPECT_EQ(cold.prom, "0x1A0B");

        std::set<int> o2Sides;
        double lowestIdle = 1e9, highestRpm = 0;
        for (int second = 0; second < 1200; ++second) {
            sim.advanceTime(1.0);
            Reading r = poll(sim, family, state, events);
            EXPECT_GE(r.battery, 13.5);
            EXPECT_LE(r.battery, 14.5);
            highestRpm = std::max(highestRpm, r.rpm);
            if (second > 900) {
                EXPECT_GT(r.coolant, 84) << family;
                EXPECT_LT(r.coolant, 96) << family;
                lowestIdle = std::min(lowestIdle, r.rpm);
                o2Sides.insert(r.o2 > 450 ? 1 : 0);
            }
        }
        EXPECT_NEAR(lowestIdle, 800, 60) << family;
        EXPECT_GT(highestRpm, 2000) << family;   // the throttle was blipped
        EXPECT_EQ(o2Sides.size(), 2u) << family; // the sensor switches rich and lean
    }
}

TEST(EcusimEngine, RunningTimeCountsUpAndCodesReachTheDecoder) {
    Settings s;
    s.codes[0] = 0x05;
    s.codes[1] = 0x80;
    EcuSimulator sim(s);
    MainState state;
    QuietEvents events;
    sim.advanceTime(3725);
    poll(sim, 1, state, events);
    EXPECT_EQ(state.ecu.channels.text(1, 26), "01:02:05");
    const ErrorCodeSnapshot codes = state.ecu.errors.snapshot();
    EXPECT_EQ(codes.bytes[1], 0x05);
    EXPECT_EQ(codes.bytes[2], 0x80);
}
