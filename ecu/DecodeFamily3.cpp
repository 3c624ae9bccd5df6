// EcuFamily 3: no octane channel, Steer added, several bytes moved by one.
#include "ecu/DecodeTables.h"

namespace decode {
namespace {

// clang-format off
const ChannelRule kRows[] = {
    /*  0 A/C REQ   */ yesNo(61, 7),
    /*  1 AIRCON    */ yesNo(56, 5),
    /*  2 AIRFUEL   */ number(43, 0.1, 0, 1, kNoUnit, timesV(3.921)),
    /*  3 BARO      */ number(31, 0.3686274, 10.4, 1, kKPa, timesV(0.9578)),
    /*  4 BLMCELL   */ number(25, 1, 0, 0, kNoUnit, capped(timesB(2.857), 35)),
    /*  5 DEFR      */ number(29, 12.501, 0, 0, kRpm, timesB(0.392)),
    /*  6 FAN       */ yesNo(63, 0),
    /*  7 FAN REQ   */ yesNo(61, 4),
    /*  8 FMDBYTE1  */ bitGroup(61),
    /*  9 FREQ      */ number(16, 25, 0, 0, kRpm, timesV(0.0156)),
    /* 10 FSM       */ number(27, 1, 0, 0, kStep, timesB(0.392)),
    /* 11 INJ       */ injection(41, 3.906235, 42, 0.01525, 2, kMs, capped(timesV(1.538), 65)),
    /* 12 INT       */ number(26, 1, 0, 0, kNoUnit, timesB(0.392)),
    /* 13 JUFRXX    */ number(30, 12.501, 0, 0, kRpm, timesB(0.392)),
    /* 14 LEARN     */ number(24, 1, 0, 0, kNoUnit, timesB(0.392)),
    /* 15 JOOP      */ yesNo(59, 7),
    /* 16 MAP       */ number(32, 0.3686274, 10.4, 1, kKPa, timesV(0.9578)),
    /* 17 MW1       */ bitGroup(56),
    /* 18 PARK/N    */ noYes(61, 0),
    /* 19 PROM id   */ promId(7, 8),
    /* 20 RICH      */ yesNo(59, 6),
    /* 21 SPEED     */ number(19, 1.6078, 0, 0, kKmh, timesV(0.243)),
    /* 22 Steer     */ noYes(61, 2),
    /* 23 TAIR      */ number(36, 0.749019, -40, 0, kCelsius, plusVTimes(40, 0.52)),
    /* 24 TCC/SHIFT */ yesNo(63, 7),
    /* 25 THR       */ number(15, 0.3921, 0, 0, kPercent, asV()),
    /* 26 TIME      */ runTime(45, 46, timesV(0.0015)),
    /* 27 TWAT      */ number(12, 0.749019, -40, 0, kCelsius, plusVTimes(40, 0.52)),
    /* 28 UBAT      */ number(37, 0.1, 0, 1, kVolt, timesV(3.921)),
    /* 29 UO2SENS   */ number(21, 4.43, 0, 0, kMillivolt, timesV(0.0884)),
    /* 30 UOZ       */ ignition(39, 40, 0.3529, 1, kCrankDegree, plusVTimes(90, 0.55)),
    /* 31 UTHR      */ number(14, 0.02, 0, 2, kVoltLatin, timesV(19.6)),
    /* 32 Eer 1     */ errorGroup(9),
    /* 33 Eer 2     */ errorGroup(10),
    /* 34 Eer 3     */ errorGroup(11),
};

const FamilyLayout kLayout = {
    kRows, sizeof kRows / sizeof kRows[0],
    //  FREQ INJ MAP AIRFUEL THR UTHR UOZ TWAT TAIR UO2SENS BLMCELL SPEED UBAT PROM id
    {   9,   11, 16, 2,      25, 31,  30, 27,  23,  29,     4,      21,   28,  19},
    /* error groups */ 3, /* ecuIdleRaw */ 0, /* ecuAirFuelRaw */ 0,
};
// clang-format on

} // namespace

const FamilyLayout& family3Layout() {
    return kLayout;
}

} // namespace decode
