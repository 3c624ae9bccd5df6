#pragma once
// Every threshold and window the engine checks judge by, one row each, per ECU family where
// the families differ, each with the source it comes from. The checks read their figures
// from here by name (CheckRange) and never write a number of their own; docs/checks.md lists
// the same rows for the workshop.
#include <cstdint>

namespace checks {

// A check's finding. Without enough qualifying data a check says NoData, never Ok.
enum class Verdict : uint8_t { Ok, Attention, Fault, NoData };

const char* VerdictId(Verdict v); // "ok", "attention", "fault", "nodata"
const char* VerdictText(Verdict v); // "норма", "внимание", "неисправность", "нет данных"

enum class Check : uint8_t {
    OxygenSensor,
    ClosedLoop,
    CoolantWarmUp,
    IntakeAir,
    ThrottleSensor,
    MapSensor,
    Idle,
    Charging,
    FuelTrim,
    LinkQuality,
    TroubleCodes,
    Actuators,
};
constexpr int kCheckCount = 12;

// The figures, by name.
enum class Range : uint8_t {
    // Conditions several checks share.
    WarmEngineC,         // the engine counts as warm from here
    EngineRunningRpm,    // the engine counts as running from here
    EngineStoppedRpm,    // key on, engine off
    ClosedThrottlePct,   // the throttle counts as closed up to here
    StandingKmh,         // the car counts as standing up to here
    ColdStartC,          // a start counts as cold with the coolant up to here
    SensorPinnedRaw,     // a raw byte at either end of its scale: the sensor is pinned
    SensorPinnedSeconds, // ... for at least this long
    // 1. Oxygen sensor.
    O2SwitchMv,        // the crossing threshold
    O2SteadyRpm,       // the steady window
    O2CrossingsSteady, // crossings per 10 s in the steady window
    O2CrossingsIdle,   // ... and at idle
    O2HighestMv,       // the highest reading in a window (stuck lean below the fault limit)
    O2LowestMv,        // the lowest reading (stuck rich above the fault limit)
    O2MinimumSeconds,  // qualifying data in each window
    // 2. Closed loop.
    ClosedLoopDelaySeconds, // from warm to closed loop
    ClosedLoopMinimumSeconds,
    // 3. Coolant.
    CoolantWarmC,           // where a warmed-up engine's coolant levels
    CoolantLevelledC,       // a rise smaller than this ...
    CoolantLevelledSeconds, // ... over this long: the coolant has levelled
    CoolantWarmUpSeconds,   // from a cold start to CoolantWarmC
    CoolantStepCPerSecond,  // the fastest change a reading may make
    // 4. Intake air.
    IntakeVsCoolantColdC, // |IAT − coolant| on a cold start
    IntakeRunningC,       // readings a running engine may show
    IntakeMinimumSeconds, // of a cold start
    // 5. Throttle sensor.
    ThrottleClosedVolts,  // at idle
    ThrottleClosedPct,    // at idle
    ThrottleDropoutVolts, // a reading below this while open is a drop-out
    ThrottleSweepPct,     // a sweep opens the throttle at least this far ...
    ThrottleSweepSeconds, // ... for at least this long
    ThrottleDropouts,     // drop-outs in the sweeps
    // 6. MAP sensor.
    MapVsBaroKpa,      // |MAP − BARO| key on, engine off
    MapWarmIdleKpa,    // warm idle
    MapMinimumSeconds, // of each state
    // 7. Idle.
    IdleRpmFromDesired,  // mean of rpm − desired idle at warm idle
    IdleRpmSpread,       // its standard deviation
    IdleAirControlSteps, // the idle air control position at warm idle
    IdleMinimumSeconds,
    // 8. Charging.
    ChargingVolts, // with the engine running
    ChargingMinimumSeconds,
    // 9. Fuel trim.
    TrimCentreCounts,   // LEARN and INT at no correction
    TrimLearnPct,       // LEARN as a correction
    TrimIntegratorPct,  // INT as a correction
    TrimPartLoadRpm,    // the part-load region, throttle open, standing or slow
    TrimCruiseKmh,      // the cruise region
    TrimMinimumSeconds, // closed loop in a region
    // 10. Link quality.
    LinkWirePollsPerSecond, // what the wire allows
    LinkPollsPerSecond,     // what the session made
    LinkFailedPct,          // polls without a good reply
    LinkNoAnswerRun,        // polls in a row without an answer
    LinkMinimumSeconds,
    // 11. Trouble codes.
    TroubleCodesStored,
    TroubleCodesMinimumReplies,
    // 12. Actuator responses.
    FanResponseSeconds,     // fan on: the FAN flag follows
    IdleTargetToleranceRpm, // the engine speed counts as at a target within this
    IdleTargetSeconds,      // an idle target: FREQ reaches it
    ReturnControlSeconds,   // control back to the ECU: FREQ back at its desired idle
    ActuatorMinimumSeconds, // of replies after a command
};
constexpr int kRangeCount = static_cast<int>(Range::ActuatorMinimumSeconds) + 1; // the last

enum class Kind : uint8_t {
    Band,          // okLo..okHi is normal; outside faultLo..faultHi a fault; between, attention
    Window,        // okLo..okHi selects the data a check looks at
    Minimum,       // okLo is the least qualifying data (okHi unused)
    Constant,      // okLo is a fixed figure of the line or a scale (okHi unused)
    NotApplicable, // the family does not send what the check needs
};

struct RangeRow {
    Range id;
    Check check;
    int family; // 0: every family; 1..4: that family's own figure, ahead of the common one
    Kind kind;
    double okLo, okHi;
    double faultLo, faultHi; // Band rows; ±infinity: no fault on that side
    const char* unit;
    const char* source; // where the figure comes from
};

// The whole table, for docs/checks.md and the tests.
const RangeRow* CheckRangeRows(int& count);

// The row of a figure for a family: the family's own row, else the common one. A figure
// without a row (never so in the table) reads as NotApplicable, so a check says NoData.
const RangeRow& CheckRange(Range id, int family);

// A Band row's verdict for a value; NoData for any other kind of row.
Verdict Judge(const RangeRow& row, double value);

} // namespace checks
