// The simulator's engine faults, read back through the program's own decoder: each one shows
// the symptom a workshop check looks for, in every family, and the sound engine does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "link/CommandFrames.h"
#include "link/ReplyDecoder.h"
#include "state/MainState.h"
#include "tools/ecusim/ControlCommands.h"
#include "tools/ecusim/EcuSimulator.h"

using namespace ecusim;

namespace {

// Catalogue rows of the channels the symptoms are read from, per family (read off the
// families' decoding tables: UO2SENS, LEARN, INT, TWAT, UTHR, FREQ, DEFR/JUFRXX, UBAT, and
// FAN or, in family 4, Low fan).
struct Rows {
    int o2, learn, integrator, coolant, throttleVolts, rpm, desiredIdle, battery, fan;
};
const Rows kRows[5] = {
    {  },
    { 29, 14, 12, 27, 31, 9,  5,  28, 6},
    { 30, 14, 12, 28, 32, 9,  5,  29, 6},
    { 29, 14, 12, 27, 31, 9,  5,  28, 6},
    { 43, 27, 23, 41, 45, 16, 26, 42, 54},
};

struct Sample {
    double t, o2, learn, integrator, coolant, throttleVolts, rpm, desiredIdle, battery;
    bool fan;
};
using Series = std::vector<Sample>;

using QuietEvents = NoLinkEvents;

double number(const std::string& text) {
    std::string c = text;
    std::replace(c.begin(), c.end(), ',', '.');
    return std::atof(c.c_str());
}

// The car on the bench: polled every `every` seconds up to `until`, the fan commanded on at
// `fanOnAt` (when > 0), as the diagnostic program would do it.
Series drive(int family, EngineFaults faults, double startCoolantC, double until, double every,
             double fanOnAt) {
    Settings settings;
    settings.family = family;
    settings.engineFaults = faults;
    EcuSimulator sim(settings, 7, startCoolantC);
    MainState state;
    QuietEvents events;
    const Rows& row = kRows[family];
    Series series;
    bool fanCommanded = false;
    for (double t = every; t <= until + 1e-9; t += every) {
        sim.advanceTime(every);
        if (fanOnAt > 0 && t >= fanOnAt && !fanCommanded) {
            const CommandTable table = FamilyCommandTable(family);
            const CommandFrame frame = BuildCommandFrame(table.rows[2], 0); // slot 2: fan on
            sim.receive(frame.data(), frame.size());
            fanCommanded = true;
        }
        static const uint8_t poll[] = {0xF4, 0x56, 0x01, 0xB5};
        uint8_t buffer[kReplyBufferSize] = {};
        size_t at = 0;
        for (const Transmit& out : sim.receive(poll, 4).out)
            for (uint8_t b : out.bytes)
                if (at < sizeof buffer) buffer[at++] = b;
        DecodeReply(buffer, family, ',', state.ecu, events);
        const ChannelStore& c = state.ecu.channels;
        series.push_back({t, number(c.text(family, row.o2)), number(c.text(family, row.learn)),
                          number(c.text(family, row.integrator)),
                          number(c.text(family, row.coolant)),
                          number(c.text(family, row.throttleVolts)),
                          number(c.text(family, row.rpm)), number(c.text(family, row.desiredIdle)),
                          number(c.text(family, row.battery)), c.text(family, row.fan) == "Да"});
    }
    return series;
}

using Measure = std::function<double(const Series&)>;

double mean(const Series& s, double Sample::*field) {
    double sum = 0;
    for (const Sample& x : s)
        sum += x.*field;
    return s.empty() ? 0 : sum / s.size();
}
Measure meanOf(double Sample::*field) {
    return [field](const Series& s) { return mean(s, field); };
}
Measure lowest(double Sample::*field) {
    return [field](const Series& s) {
        double v = 1e9;
        for (const Sample& x : s)
            v = std::min(v, x.*field);
        return v;
    };
}
Measure highest(double Sample::*field) {
    return [field](const Series& s) {
        double v = -1e9;
        for (const Sample& x : s)
            v = std::max(v, x.*field);
        return v;
    };
}
// Crossings of 450 mV per 10 s.
double o2Crossings(const Series& s) {
    int crossings = 0;
    for (size_t i = 1; i < s.size(); ++i)
        crossings += (s[i - 1].o2 > 450) != (s[i].o2 > 450);
    return s.size() < 2 ? 0 : crossings * 10 / (s.back().t - s.front().t);
}
// How far the idle strays from its target: the standard deviation of rpm − desired.
double idleSpread(const Series& s) {
    double sum = 0, squares = 0;
    for (const Sample& x : s) {
        const double d = x.rpm - x.desiredIdle;
        sum += d;
        squares += d * d;
    }
    const double m = sum / s.size();
    return std::sqrt(squares / s.size() - m * m);
}
// The throttle sensor's lowest voltage while the engine is revved.
double throttleVoltsRevved(const Series& s) {
    double v = 1e9;
    for (const Sample& x : s)
        if (x.rpm > 2000) v = std::min(v, x.throttleVolts);
    return v;
}
double fanShare(const Series& s) {
    int on = 0;
    for (const Sample& x : s)
        on += x.fan;
    return s.empty() ? 0 : double(on) / s.size();
}

struct FaultCase {
    const char* fault; // as the control file names it
    const char* symptom;
    double startCoolantC;
    double from, until, every; // the window looked at, and the poll interval
    double fanOnAt;
    Measure measure;
    double soundLo, soundHi;   // where the sound engine's figure lies
    double faultyLo, faultyHi; // and the faulty one's
};

// Closed loop starts 20 s after the start; the first throttle blip comes at 15 s.
const FaultCase kCases[] = {
    {"o2-lazy",         "O2 crossings of 450 mV per 10 s",               85, 22,  60,  0.125, 0, o2Crossings,                 12,   80,   0,   6    },
    {"o2-lean",         "highest O2 mV",                                 85, 22,  60,  0.125, 0, highest(&Sample::o2),        750,  1000, 0,   200  },
    {"o2-rich",         "lowest O2 mV",                                  85, 22,  60,  0.125, 0, lowest(&Sample::o2),         0,    200,  750, 1000 },
    {"trim-lean",       "mean LEARN",                                    85, 22,  60,  0.125, 0, meanOf(&Sample::learn),      118,  138,  142, 200  },
    {"trim-lean",       "mean INT",                                      85, 22,  60,  0.125, 0, meanOf(&Sample::integrator), 124,  132,  133,
     200                                                                                                                                            },
    {"trim-rich",       "mean LEARN",                                    85, 22,  60,  0.125, 0, meanOf(&Sample::learn),      118,  138,  0,   114  },
    {"trim-rich",       "mean INT",                                      85, 22,  60,  0.125, 0, meanOf(&Sample::integrator), 124,  132,  0,   123  },
    {"thermostat-open", "coolant after 15 min",                          20, 850, 900, 1,     0, highest(&Sample::coolant),   84,
     100,                                                                                                                                 58,  72   },
    {"coolant-open",    "coolant reading",                               85, 3,   10,  0.5,   0, highest(&Sample::coolant),   80,   100,
     -40.5,                                                                                                                                    -39.5},
    {"coolant-short",   "coolant reading",                               85, 3,   10,  0.5,   0, lowest(&Sample::coolant),    80,   100,
     150.5,                                                                                                                                    151.5},
    {"tps-dropout",     "lowest throttle V above 2000 rpm",              85, 3,   60,  0.125, 0, throttleVoltsRevved,
     0.4,                                                                                                                           2,    0,   0.1  },
    {"idle-unstable",   "idle rpm spread",                               85, 3,   14,  0.125, 0, idleSpread,                  0,    40,   100, 400  },
    {"charging-weak",   "mean battery V",                                85, 3,   14,  0.5,   0, meanOf(&Sample::battery),    13.8, 14.4,
     12.0,                                                                                                                                     12.6 },
    {"fan-dead",        "share of polls with FAN a second after fan on", 85, 4,   8,   0.125, 3, fanShare,                    1,
     1,                                                                                                                                   0,   0    },
};

Series window(const Series& all, double from) {
    Series s;
    for (const Sample& x : all)
        if (x.t >= from) s.push_back(x);
    return s;
}

} // namespace

TEST(EcusimEngineFaults, EveryFaultShowsItsSymptomInEveryFamilyAndTheSoundEngineDoesNot) {
    for (int family = 1; family <= 4; ++family)
        for (const FaultCase& c : kCases) {
            SCOPED_TRACE(testing::Message()
                         << "family " << family << ", " << c.fault << ": " << c.symptom);
            EngineFaults faults = 0;
            ASSERT_TRUE(parseEngineFaults(c.fault, faults));
            const double sound = c.measure(
                window(drive(family, 0, c.startCoolantC, c.until, c.every, c.fanOnAt), c.from));
            const double faulty = c.measure(window(
                drive(family, faults, c.startCoolantC, c.until, c.every, c.fanOnAt), c.from));
            EXPECT_GE(sound, c.soundLo);
            EXPECT_LE(sound, c.soundHi);
            EXPECT_GE(faulty, c.faultyLo);
            EXPECT_LE(faulty, c.faultyHi);
        }
}

TEST(EcusimEngineFaults, TheControlLineSetsListsAndClearsThem) {
    Settings s;
    const Settings initial;
    EXPECT_EQ(applyControlLine("engine-fault o2-lazy,fan-dead", s, initial),
              ControlResult::Applied);
    EXPECT_EQ(s.engineFaults, static_cast<uint32_t>(EngineFault::O2Lazy) |
                                  static_cast<uint32_t>(EngineFault::FanDead));
    EXPECT_EQ(engineFaultList(s.engineFaults), "o2-lazy,fan-dead");
    EXPECT_EQ(applyControlLine("engine-fault charging-weak idle-unstable", s, initial),
              ControlResult::Applied);
    EXPECT_EQ(engineFaultList(s.engineFaults), "idle-unstable,charging-weak");
    for (const char* bad : {"engine-fault", "engine-fault o2-slow", "engine-fault none,o2-lazy"})
        EXPECT_EQ(applyControlLine(bad, s, initial), ControlResult::Error) << bad;
    EXPECT_EQ(engineFaultList(s.engineFaults), "idle-unstable,charging-weak");
    EXPECT_EQ(applyControlLine("engine-fault none", s, initial), ControlResult::Applied);
    EXPECT_EQ(s.engineFaults, 0u);
    // The held speed, within what an engine can be held at.
    EXPECT_EQ(applyControlLine("hold 2500", s, initial), ControlResult::Applied);
    EXPECT_EQ(s.holdRpm, 2500);
    for (const char* bad : {"hold", "hold 200", "hold 9000", "hold on"})
        EXPECT_EQ(applyControlLine(bad, s, initial), ControlResult::Error) << bad;
    EXPECT_EQ(applyControlLine("hold off", s, initial), ControlResult::Applied);
    EXPECT_EQ(s.holdRpm, 0);
}
