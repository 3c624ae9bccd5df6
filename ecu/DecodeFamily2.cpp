// EcuFamily 2: the layout of family 1 with SSM inserted at row 23.
#include "ecu/DecodeTables.h"

namespace decode {
namespace {

// clang-format off
const ChannelRule kRows[] = {
    /*  0 A/C REQ   */ yesNo(61, 0),
    /*  1 AIRCON    */ yesNo(56, 4),
    /*  2 AIRFUEL   */ number(43, 0.1, 0, 1, kNoUnit, timesV(3.921)),
    /*  3 BARO      */ number(31, 0.3686274, 10.4, 1, kKPa, timesV(0.9578)),
    /*  4 BLMCELL   */ number(25, 1, 0, 0, kNoUnit, capped(timesB(2.857), 35)),
    /*  5 DEFR      */ number(29, 6.25, 0, 0, kRpm, timesV(0.0627)),
    /*  6 FAN       */ yesNo(56, 3),
    /*  7 FAN REQ   */ yesNo(61, 1),
    /*  8 FMDBYTE1  */ bitGroup(61),
    /*  9 FREQ      */ number(15, 25, 0, 0, kRpm, timesV(0.0156)),
    /* 10 FSM       */ number(27, 1, 0, 0, kStep, timesB(0.392)),
    /* 11 INJ       */ injection(41, 3.906235, 42, 0.01525, 2, kMs, capped(timesV(1.538), 65)),
    /* 12 INT       */ number(26, 1, 0, 0, kNoUnit, timesB(0.392)),
    /* 13 JUFRXX    */ number(30, 6.25, 0, 0, kRpm, timesV(0.0627)),
    /* 14 LEARN     */ number(24, 1, 0, 0, kNoUnit, timesB(0.392)),
    /* 15 JOOP      */ yesNo(59, 0),
    /* 16 MAP       */ number(32, 0.3686274, 10.4, 1, kKPa, timesV(0.9578)),
    /* 17 MW1       */ bitGroup(56),
    /* 18 OCTAN     */ octane(61),
    /* 19 PARK/N    */ noYes(61, 2),
    /* 20 PROM id   */ promId(7, 8),
    /* 21 RICH      */ yesNo(59, 1),
    /* 22 SPEED     */ number(18, 1.6078, 0, 0, kKmh, timesV(0.243)),
    /* 23 SSM       */ number(28, 1, 0, 0, kStep, timesB(0.392)),
    /* 24 TAIR      */ number(35, 0.749019, -40, 0, kCelsius, plusVTimes(40, 0.52)),
    /* 25 TCC/SHIFT */ yesNo(56, 7),
    /* 26 THR       */ number(14, 0.3921, 0, 0, kPercent, asV()),
    /* 27 TIME      */ runTime(45, 46, timesV(0.0015)),
    /* 28 TWAT      */ number(11, 0.749019, -40, 0, kCelsius, plusVTimes(40, 0.52)),
    /* 29 UBAT      */ number(37, 0.1, 0, 1, kVolt, timesV(3.921)),
    /* 30 UO2SENS   */ number(20, 4.43, 0, 0, kMillivolt, timesV(0.0884)),
    /* 31 UOZ       */ ignition(39, 40, 0.3529, 1, kCrankDegree, plusVTimes(90, 0.55)),
    /* 32 UTHR      */ number(13, 0.02, 0, 2, kVoltLatin, timesV(19.6)),
    /* 33 Eer 1     */ errorGroup(9),
    /* 34 Eer 2     */ errorGroup(10),
};

const FamilyLayout kLayout = {
    kRows, sizeof kRows / sizeof kRows[0],
    //  FREQ INJ MAP AIRFUEL THR UTHR UOZ TWAT TAIR UO2SENS BLMCELL SPEED UBAT PROM id
    {   9,   11, 16, 2,      26, 32,  31, 28,  24,  30,     4,      22,   29,  20},
    /* error groups */ 2, /* ecuIdleRaw */ 0, /* ecuAirFuelRaw */ 0,
};
// clang-format on

} // namespace

const FamilyLayout& family2Layout() {
    return kLayout;
}

} // namespace decode
