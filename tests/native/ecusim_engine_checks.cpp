// The engine checks on recordings of the simulated car: each engine fault gives its check's
// finding in every family, a sound engine gives no finding at all, and a check without its
// least data says «нет данных» with its instruction, never «норма».
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/AnalysedRecording.h"
#include "checks/CheckInfo.h"
#include "checks/Checks.h"
#include "tests/native/simulated_drive.h"
#include "tools/ecusim/EngineFaults.h"

using checks::Check;
using checks::Verdict;

namespace {

std::vector<checks::CheckResult> Judge(const simdrive::Drive& drive) {
    const analysis::LoadResult loaded = simdrive::LoadDrive(drive);
    EXPECT_TRUE(loaded.recording) << loaded.message;
    if (!loaded.recording) return {};
    return checks::RunChecks(checks::RecordingCheckData(*loaded.recording));
}

// Fan on at 30 s, an idle target of 1000 rpm at 50 s, control back at 70 s.
const std::vector<simdrive::Command> kCommands = {
    {30, 2},
    {50, 9, 160},
    {70,  -1 }
};

struct FaultCase {
    const char* fault;
    double startCoolantC, seconds, every;
    Check check;
    Verdict lowest; // the least the check must say
};

// clang-format off
const FaultCase kFaults[] = {
    {"o2-lazy",         85, 120,  0.125, Check::OxygenSensor,   Verdict::Attention},
    {"o2-lean",         85, 120,  0.125, Check::OxygenSensor,   Verdict::Fault},
    {"o2-rich",         85, 120,  0.125, Check::OxygenSensor,   Verdict::Fault},
    {"trim-lean",       85, 120,  0.125, Check::FuelTrim,       Verdict::Fault},
    {"trim-rich",       85, 120,  0.125, Check::FuelTrim,       Verdict::Fault},
    {"thermostat-open", 20, 1500, 0.5,   Check::CoolantWarmUp,  Verdict::Fault},
    {"coolant-open",    85, 120,  0.125, Check::CoolantWarmUp,  Verdict::Fault},
    {"coolant-short",   85, 120,  0.125, Check::CoolantWarmUp,  Verdict::Fault},
    {"tps-dropout",     85, 120,  0.125, Check::ThrottleSensor, Verdict::Fault},
    {"idle-unstable",   85, 120,  0.125, Check::Idle,           Verdict::Attention},
    {"charging-weak",   85, 120,  0.125, Check::Charging,       Verdict::Fault},
    {"fan-dead",        85, 120,  0.125, Check::Actuators,      Verdict::Fault},
};
// clang-format on

bool AtLeast(Verdict v, Verdict lowest) {
    if (lowest == Verdict::Fault) return v == Verdict::Fault;
    return v == Verdict::Attention || v == Verdict::Fault;
}

} // namespace

TEST(EngineChecks, EachEngineFaultIsFoundByItsCheckInEveryFamily) {
    for (int family = 1; family <= 4; ++family)
        for (const FaultCase& c : kFaults) {
            SCOPED_TRACE(testing::Message() << "family " << family << ", " << c.fault);
            simdrive::Drive drive;
            drive.family = family;
            ASSERT_TRUE(ecusim::parseEngineFaults(c.fault, drive.faults));
            drive.startCoolantC = c.startCoolantC;
            drive.seconds = c.seconds;
            drive.every = c.every;
            drive.commands = kCommands;
            const auto results = Judge(drive);
            ASSERT_EQ(results.size(), std::size_t(checks::kCheckCount));
            const checks::CheckResult& r = results[static_cast<int>(c.check)];
            EXPECT_TRUE(AtLeast(r.verdict, c.lowest)) << checks::VerdictText(r.verdict);
            EXPECT_FALSE(r.spans.empty()) << "a finding shows its evidence";
        }
}

TEST(EngineChecks, ASoundEngineWarmingUpGivesEveryCheckNormal) {
    for (int family = 1; family <= 4; ++family) {
        SCOPED_TRACE(testing::Message() << "family " << family);
        simdrive::Drive drive;
        drive.family = family;
        drive.startCoolantC = 20;
        drive.seconds = 1500;
        drive.commands = kCommands;
        for (const checks::CheckResult& r : Judge(drive))
            EXPECT_EQ(r.verdict, Verdict::Ok) << checks::InfoOf(r.check)->id;
    }
}

// Held at 2500 rpm for 40 s, the oxygen sensor is judged at steady revs too: a sound one
// switches often enough there, a lazy or stuck one does not.
TEST(EngineChecks, TheOxygenSensorIsJudgedAtSteadyRevsWhenTheEngineIsHeldThere) {
    struct HeldCase {
        const char* fault;
        Verdict steady; // the verdict of the crossings at 2000-3000 rpm
    };
    const HeldCase kHeld[] = {
        {"none",    Verdict::Ok       },
        {"o2-lazy", Verdict::Attention},
        {"o2-lean", Verdict::Fault    },
    };
    for (int family = 1; family <= 4; ++family)
        for (const HeldCase& h : kHeld) {
            SCOPED_TRACE(testing::Message() << "family " << family << ", " << h.fault);
            simdrive::Drive drive;
            drive.family = family;
            ASSERT_TRUE(ecusim::parseEngineFaults(h.fault, drive.faults));
            drive.seconds = 90;
            drive.holdRpm = 2500;
            drive.holdFromSeconds = 40;
            drive.holdSeconds = 40;
            const auto results = Judge(drive);
            ASSERT_EQ(results.size(), std::size_t(checks::kCheckCount));
            const checks::CheckResult& o2 = results[static_cast<int>(Check::OxygenSensor)];
            ASSERT_FALSE(o2.figures.empty());
            const checks::Figure& steady = o2.figures.front();
            EXPECT_FALSE(std::isnan(steady.value)) << "40 s held is enough to judge";
            if (h.steady == Verdict::Ok)
                EXPECT_EQ(steady.verdict, Verdict::Ok) << steady.value;
            else
                EXPECT_TRUE(AtLeast(o2.verdict, h.steady)) << steady.value;
        }
}

// The least data of each check, just missed and just met, on a sound warm engine.
TEST(EngineChecks, TooLittleQualifyingDataGivesNoDataWithTheInstructionNeverNormal) {
    struct Boundary {
        Check check;
        double shortSeconds, longSeconds; // of the recording
    };
    // Warm idle starts about 3 s in and is judged from 3 s later.
    const Boundary kBoundaries[] = {
        {Check::Charging,    9,  12},
        {Check::LinkQuality, 29, 32},
        {Check::Idle,        30, 45},
    };
    for (const Boundary& b : kBoundaries) {
        SCOPED_TRACE(checks::InfoOf(b.check)->id);
        simdrive::Drive drive;
        drive.seconds = b.shortSeconds;
        drive.faults = 0;
        const auto shortRun = Judge(drive);
        ASSERT_EQ(shortRun.size(), std::size_t(checks::kCheckCount));
        const checks::CheckResult& none = shortRun[static_cast<int>(b.check)];
        EXPECT_EQ(none.verdict, Verdict::NoData);
        ASSERT_FALSE(none.notes.empty());
        EXPECT_EQ(none.notes.front(), checks::InfoOf(b.check)->noData);
        drive.seconds = b.longSeconds;
        const auto longRun = Judge(drive);
        ASSERT_EQ(longRun.size(), std::size_t(checks::kCheckCount));
        EXPECT_EQ(longRun[static_cast<int>(b.check)].verdict, Verdict::Ok);
    }
}
