#include "checks/CheckRanges.h"

#include <limits>

namespace checks {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int kAll = 0;

constexpr Kind B = Kind::Band;
constexpr Kind W = Kind::Window;
constexpr Kind M = Kind::Minimum;
constexpr Kind C = Kind::Constant;
constexpr Kind NA = Kind::NotApplicable;

using R = Range;
using K = Check;

// The sources, named once. docs/checks.md gives them in full.
constexpr const char* kDaewooData =
    "Daewoo Nubira/Lacetti service manual (V-121), 1F ENGINE CONTROLS, Engine Data Display "
    "table (warm, idle, park/neutral, A/C off)";
constexpr const char* kDaewooTp =
    "Daewoo V-121 service manual, 1F-9: TP sensor 0.36-0.96 V at idle";
constexpr const char* kGmCode13 =
    "GM ECM Code 13/DTC 013: O2 diagnosis enabled with coolant above 70 C, engine run 1-2 min, "
    "O2 steady 340-550 mV";
constexpr const char* kGmCross =
    "GM engine controls theory: the O2 signal crosses the ECM's 0.45 V reference (cross counts)";
constexpr const char* kCrossRule =
    "Rule of the trade (OBD2 cross-count analysis): 1-5 switches per second at 2500 rpm; the lazy "
    "threshold typically 3-5 crossings per 10 s; milder ends chosen";
constexpr const char* kScale = "Our decoding tables: the raw byte 0..255 spans the whole scale; "
                               "a reading at either end is the sensor pinned";

// clang-format off
const RangeRow kRows[] = {
//   id                           check              family kind okLo    okHi    faultLo faultHi unit       source
    // Shared conditions.
    {R::WarmEngineC,              K::OxygenSensor,   kAll, W,  80,     kInf,   0,      0,      "°C",      "Above the ECM's own 70 C enable for O2 diagnosis (GM Code 13) and within 5 C of the 85-105 C a warm Daewoo engine shows (Daewoo V-121 Engine Data Display)"},
    {R::EngineRunningRpm,         K::Charging,       kAll, W,  400,    kInf,   0,      0,      "об/мин",  "GM block learn enable: RPM between 400 and 6375 (diy-efi gmecm list, $A1 code)"},
    {R::EngineStoppedRpm,         K::MapSensor,      kAll, W,  0,      50,     0,      0,      "об/мин",  "Key on, engine off: the ECU reports 0 rpm; 50 rpm is two counts of the 25 rpm scale"},
    {R::ClosedThrottlePct,        K::Idle,           kAll, W,  0,      3,      0,      0,      "%",       "GM Code 45 conditions: throttle above 3 percent counts as off idle"},
    {R::StandingKmh,              K::Idle,           kAll, W,  0,      5,      0,      0,      "км/ч",    "Daewoo V-121 DTC P0501: the speed sensor gives no signal below 5 km/h"},
    {R::ColdStartC,               K::IntakeAir,      kAll, W,  -40,    30,     0,      0,      "°C",      "GM I/M service bay test: the engine counts as cold with ECT 3.8-30 C"},
    {R::SensorPinnedRaw,          K::CoolantWarmUp,  kAll, W,  0,      255,    0,      0,      "байт",    kScale},
    {R::SensorPinnedSeconds,      K::CoolantWarmUp,  kAll, M,  3,      0,      0,      0,      "с",       "GM Code 14: a coolant reading out of range for 3 seconds sets the code"},
    // 1. Oxygen sensor.
    {R::O2SwitchMv,               K::OxygenSensor,   kAll, C,  450,    0,      0,      0,      "мВ",      kGmCross},
    {R::O2SteadyRpm,              K::OxygenSensor,   kAll, W,  2000,   3000,   0,      0,      "об/мин",  "Cross counts are judged at 2500 rpm (OBD2 cross-count analysis); GM Code 13 looks above 1600 rpm"},
    {R::O2CrossingsSteady,        K::OxygenSensor,   kAll, B,  10,     kInf,   3,      kInf,   "1/10 с",  kCrossRule},
    {R::O2CrossingsIdle,          K::OxygenSensor,   kAll, B,  5,      kInf,   3,      kInf,   "1/10 с",  "Lazy threshold typically 3-5 crossings per 10 s at idle (OBD2 cross-count analysis); Hyundai/Kia manuals ask 3 Hz at idle, the milder is taken"},
    {R::O2HighestMv,              K::OxygenSensor,   kAll, B,  600,    kInf,   250,    kInf,   "мВ",      "Rich readings 0.6-0.9 V (OBD2 cross-count analysis); stuck lean: GM Code 44 below 250 mV (Geo) or 274 mV (DTC 044), the milder 250 taken"},
    {R::O2LowestMv,               K::OxygenSensor,   kAll, B,  -kInf,  400,    -kInf,  750,    "мВ",      "Lean readings 0.1-0.4 V (OBD2 cross-count analysis); stuck rich: GM Code 45 above 0.75 V (0.7 V in some charts, the milder 0.75 taken)"},
    {R::O2MinimumSeconds,         K::OxygenSensor,   kAll, M,  20,     0,      0,      0,      "с",       "Two of the 10 s windows the crossing rule counts in"},
    // 2. Closed loop.
    {R::ClosedLoopDelaySeconds,   K::ClosedLoop,     kAll, B,  0,      120,    -kInf,  kInf,   "с",       "GM Code 13 expects closed loop within 2 minutes of running warm; never reached is a fault; Daewoo V-121: a warm idle runs in closed loop (may leave it at extended idle)"},
    {R::ClosedLoopMinimumSeconds, K::ClosedLoop,     kAll, M,  120,    0,      0,      0,      "с",       "The 2 minutes of GM Code 13, warm"},
    // 3. Coolant.
    {R::CoolantWarmC,             K::CoolantWarmUp,  kAll, B,  85,     105,    82,     120,    "°C",      "Daewoo V-121 Engine Data Display: ECT 85-105 C warm; the thermostat is fully closed below 82 C (GM/Daewoo T200 1.2 DOHC cooling system table: opens 87 C, closed 82 C), so an engine levelling below it has the thermostat stuck open; 120 C: near boiling under the 120 kPa surge tank cap (same table)"},
    {R::CoolantLevelledC,         K::CoolantWarmUp,  kAll, C,  1,      0,      0,      0,      "°C",      "Physics: a warming engine gains several degrees a minute (GM: the temperature should rise steadily to about 90 C); one degree is above the 0.75 C step of the scale"},
    {R::CoolantLevelledSeconds,   K::CoolantWarmUp,  kAll, M,  300,    0,      0,      0,      "с",       "Program's rule: five minutes without the rise above means the coolant has levelled (no service figure found)"},
    {R::CoolantWarmUpSeconds,     K::CoolantWarmUp,  kAll, B,  0,      1200,   -kInf,  kInf,   "с",       "Program's rule: a cold start idling reaches the thermostat in 20 minutes (no service figure found; attention only)"},
    {R::CoolantStepCPerSecond,    K::CoolantWarmUp,  kAll, B,  -3,     3,      -10,    10,     "°C/с",    "Physics: ~15 kW into ~6 kg of coolant is under 1 C/s; 3 C/s allows the 0.75 C scale step, 10 C/s no engine can make"},
    // 4. Intake air.
    {R::IntakeVsCoolantColdC,     K::IntakeAir,      kAll, B,  -15,    15,     -32,    32,     "°C",      "GM (Saturn, DTC P0112/P0113 verification): after 8 h off IAT and ECT within 15 C; Honda DTC P0111 threshold 32 C, the milder as the fault limit"},
    {R::IntakeRunningC,           K::IntakeAir,      kAll, B,  -39,    120,    -kInf,  kInf,   "°C",      "GM: IAT between -39 and +120 C with the engine running, depending on ambient (Daewoo V-121: 10-90 C at a warm idle)"},
    {R::IntakeMinimumSeconds,     K::IntakeAir,      kAll, M,  10,     0,      0,      0,      "с",       "Program's rule: the first 10 s of a cold start, before the engine heats the intake"},
    // 5. Throttle sensor.
    {R::ThrottleClosedVolts,      K::ThrottleSensor, kAll, B,  0.36,   0.96,   0.2,    1.25,   "В",       "Daewoo V-121: 0.36-0.96 V at idle; GM Code 22 below 0.2 V; GM: closed throttle below 1.25 V"},
    {R::ThrottleClosedPct,        K::ThrottleSensor, kAll, B,  0,      3,      -kInf,  kInf,   "%",       "GM typical data: TP angle 0 % at idle; Code 45 conditions: above 3 % is off idle"},
    {R::ThrottleDropoutVolts,     K::ThrottleSensor, kAll, W,  0,      0.2,    0,      0,      "В",       "GM Code 22: TPS signal below 0.2 V is a circuit fault"},
    {R::ThrottleSweepPct,         K::ThrottleSensor, kAll, W,  20,     100,    0,      0,      "%",       "Daewoo V-121 (hesitation chart): the TP voltage should rise at a steady rate as the throttle opens; 20 % is the program's least sweep"},
    {R::ThrottleSweepSeconds,     K::ThrottleSensor, kAll, M,  1,      0,      0,      0,      "с",       "Program's rule: eight polls of an open throttle"},
    {R::ThrottleDropouts,         K::ThrottleSensor, kAll, B,  0,      0,      0,      1,      "раз",     "GM Code 22 (below 0.2 V); one drop-out is attention (it may be noise), two a fault: milder than the code, which needs 0.7-2 s"},
    // 6. MAP sensor.
    {R::MapVsBaroKpa,             K::MapSensor,      kAll, B,  -3,     3,      -8,     8,      "кПа",     "GM/Suzuki MAP verification: within 3 kPa; Daewoo V-121 MAP check: within 0.4 V of a known good sensor (about 8 kPa), the milder as the fault limit"},
    {R::MapVsBaroKpa,             K::MapSensor,      4,    NA, 0,      0,      0,      0,      "кПа",     "Family 4 reads MAP and BARO from one byte (ecu/DecodeFamily4.cpp): nothing to compare"},
    {R::MapWarmIdleKpa,           K::MapSensor,      kAll, B,  29,     55,     -kInf,  kInf,   "кПа",     "Daewoo V-121 Engine Data Display: MAP 29-55 kPa at a warm idle (GM typical 30-38 kPa; the wider Daewoo band taken)"},
    {R::MapMinimumSeconds,        K::MapSensor,      kAll, M,  3,      0,      0,      0,      "с",       "The 3 s of GM Code 14, for each state"},
    // 7. Idle.
    {R::IdleRpmFromDesired,       K::Idle,           kAll, B,  -80,    80,     -kInf,  kInf,   "об/мин",  "GM typical data: within 80 rpm of desired idle; Daewoo V-121: +/-50 rpm; the milder taken"},
    {R::IdleRpmSpread,            K::Idle,           kAll, B,  0,      50,     -kInf,  kInf,   "об/мин",  "Rule of the trade: a sound idle varies by no more than 50 rpm (Auto Dynamics, Follow the MAP)"},
    {R::IdleAirControlSteps,      K::Idle,           kAll, B,  1,      50,     -kInf,  kInf,   "шаг",     "Daewoo V-121: IAC 1-50 at a warm idle; GM: normal 5-50, 0 counts = fully seated (large vacuum leak); the wider Daewoo band taken"},
    {R::IdleMinimumSeconds,       K::Idle,           kAll, M,  30,     0,      0,      0,      "с",       "Program's rule: a hunting idle shows within 30 s (several 4 s swings)"},
    // 8. Charging.
    {R::ChargingVolts,            K::Charging,       kAll, B,  13.5,   14.8,   12.6,   16,     "В",       "Daewoo V-121: ignition voltage 13.5-14.8 V (rules of the trade 13.8-14.5 and 14.2-14.7 V are stricter); below the battery's resting 12.6 V it is not charged; Daewoo generator output test: over 16 V replace"},
    {R::ChargingMinimumSeconds,   K::Charging,       kAll, M,  10,     0,      0,      0,      "с",       "Program's rule: ten seconds of running"},
    // 9. Fuel trim.
    {R::TrimCentreCounts,         K::FuelTrim,       kAll, C,  128,    0,      0,      0,      "",        "GM BLM and INT: 128 is no correction, higher adds fuel (gnttype.org, Understanding Block Learn Multiplier); percent = (value - 128) / 128"},
    {R::TrimLearnPct,             K::FuelTrim,       kAll, B,  -10,    10,     -25,    25,     "%",       "Long term trim normal within +/-10 %; a fault at +/-20 % or at the +/-25 % correction limit, the milder taken"},
    {R::TrimIntegratorPct,        K::FuelTrim,       kAll, B,  -10,    10,     -25,    25,     "%",       "Short and long term trims (and their sum) should not exceed +/-10 %; fault limit as for LEARN"},
    {R::TrimPartLoadRpm,          K::FuelTrim,       kAll, W,  1200,   3500,   0,      0,      "об/мин",  "GM BLM cells are laid out by rpm (800-1100, 1100-1500, 1500+) and load; part load: off idle, below cruise"},
    {R::TrimCruiseKmh,            K::FuelTrim,       kAll, W,  60,     130,    0,      0,      "км/ч",    "GM typical data are taken at a 55 mph (90 km/h) cruise; the region around it"},
    {R::TrimMinimumSeconds,       K::FuelTrim,       kAll, M,  20,     0,      0,      0,      "с",       "GM block learn updates every 1-4 s depending on INT (diy-efi gmecm, F58 table): 20 s gives at least five updates"},
    // 10. Link quality.
    {R::LinkWirePollsPerSecond,   K::LinkQuality,    kAll, C,  8.25,   0,      0,      0,      "1/с",     "The line: 68 bytes of 11 bits at 8200 baud (91 ms) plus the ECU's reply delay and the read's 25 ms end: 121 ms a poll"},
    {R::LinkPollsPerSecond,       K::LinkQuality,    kAll, B,  7.3,    kInf,   -kInf,  kInf,   "1/с",     "The wire's 8.25/s slowed by FTDI's default 16 ms latency timer (AN232B-04) is 7.3/s; slower is attention"},
    {R::LinkFailedPct,            K::LinkQuality,    kAll, B,  0,      2,      -kInf,  20,     "%",       "Program's rule (no published figure for ALDL links): 2 % keeps the charts whole, a fifth lost is a fault"},
    {R::LinkNoAnswerRun,          K::LinkQuality,    kAll, B,  0,      2,      -kInf,  24,     "опрос",   "Program's rule: three unanswered polls in a row are a hiccup, three seconds (25 polls) lost contact"},
    {R::LinkMinimumSeconds,       K::LinkQuality,    kAll, M,  30,     0,      0,      0,      "с",       "Program's rule: 250 polls"},
    // 11. Trouble codes.
    {R::TroubleCodesStored,       K::TroubleCodes,   kAll, B,  0,      0,      -kInf,  kInf,   "код",     "A stored code is the ECU's own finding; it may be history (Daewoo manuals: a history DTC is stored), so attention, not fault"},
    {R::TroubleCodesMinimumReplies, K::TroubleCodes, kAll, M,  1,      0,      0,      0,      "ответ",   "Every good reply carries the code bytes (reply bytes 9-12)"},
    // 12. Actuator responses.
    {R::FanResponseSeconds,       K::Actuators,      kAll, B,  0,      1,      -kInf,  3,      "с",       "Daewoo V-121: the fan relay's state is the ECM's command; eight polls at 8.25/s; program's rule for the fault (three seconds)"},
    {R::IdleTargetToleranceRpm,   K::Actuators,      kAll, C,  80,     0,      0,      0,      "об/мин",  "GM typical data: engine speed within 80 rpm of the desired idle"},
    {R::IdleTargetSeconds,        K::Actuators,      kAll, B,  0,      10,     -kInf,  20,     "с",       "GM: the idle air control responds fairly quickly to keep the desired rpm; 10 s and 20 s are the program's rule"},
    {R::ReturnControlSeconds,     K::Actuators,      kAll, B,  0,      10,     -kInf,  20,     "с",       "As for an idle target"},
    {R::ActuatorMinimumSeconds,   K::Actuators,      kAll, M,  5,      0,      0,      0,      "с",       "Program's rule: replies for 5 s after the command"},
};
// clang-format on

const RangeRow kMissing = {
    Range::WarmEngineC, Check::OxygenSensor, kAll, Kind::NotApplicable, 0, 0, 0, 0, "", "-"};

} // namespace

const char* VerdictId(Verdict v) {
    switch (v) {
    case Verdict::Ok:
        return "ok";
    case Verdict::Attention:
        return "attention";
    case Verdict::Fault:
        return "fault";
    case Verdict::NoData:
        return "nodata";
    }
    return "nodata";
}

const char* VerdictText(Verdict v) {
    switch (v) {
    case Verdict::Ok:
        return "норма";
    case Verdict::Attention:
        return "внимание";
    case Verdict::Fault:
        return "неисправность";
    case Verdict::NoData:
        return "нет данных";
    }
    return "нет данных";
}

const RangeRow* CheckRangeRows(int& count) {
    count = static_cast<int>(sizeof kRows / sizeof kRows[0]);
    return kRows;
}

const RangeRow& CheckRange(Range id, int family) {
    const RangeRow* common = nullptr;
    for (const RangeRow& row : kRows) {
        if (row.id != id) continue;
        if (row.family == family && family != kAll) return row;
        if (row.family == kAll) common = &row;
    }
    return common ? *common : kMissing;
}

Verdict Judge(const RangeRow& row, double value) {
    if (row.kind != Kind::Band || value != value) return Verdict::NoData; // NaN: no value
    if (value >= row.okLo && value <= row.okHi) return Verdict::Ok;
    if (value < row.faultLo || value > row.faultHi) return Verdict::Fault;
    return Verdict::Attention;
}

} // namespace checks
