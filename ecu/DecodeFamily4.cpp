// EcuFamily 4: a layout of its own, 55 channels, four trouble-code bytes.
#include "ecu/DecodeTables.h"

namespace decode {
namespace {

// clang-format off
const ChannelRule kRows[] = {
    /*  0 A/C REQ     */ yesNo(66, 0),
    /*  1 A/C pres    */ number(23, 12.8196, -128, 0, kKPa, timesB(0.392)),
    /*  2 A/C run     */ yesNo(65, 1),
    /*  3 A/C sol     */ yesNo(54, 4),
    /*  4 A/C sw      */ yesNo(54, 6),
    /*  5 AIRFUEL     */ number(45, 0.1, 0, 1, kNoUnit, timesV(3.921)),
    /*  6 BARO        */ number(15, 0.3686274, 10, 1, kKPa, timesV(0.9578)),
    /*  7 BL Enabl    */ yesNo(59, 3),
    /*  8 BLMCELL     */ number(47, 1, 0, 0, kNoUnit, capped(timesB(2.857), 35)),
    /*  9 CO adi      */ number(27, 1, 0, 0, kNoUnit, timesB(0.392)),
    /* 10 CT Sw       */ yesNo(54, 2),
    /* 11 ClosedTHR   */ yesNo(58, 0),
    /* 12 ConvOT      */ yesNo(60, 7),
    /* 13 DecCutOff   */ yesNo(58, 6),
    /* 14 FAN REQ     */ yesNo(66, 2),
    /* 15 FCT         */ number(25, 0.749019, -40, 0, kCelsius, plusVTimes(40, 0.52)),
    /* 16 FREQ        */ number(19, 25, 0, 0, kRpm, timesV(0.0156)),
    /* 17 FSM         */ number(31, 1, 0, 0, kStep, timesB(0.392)),
    /* 18 FSMode      */ yesNo(57, 2),
    /* 19 IAC run     */ yesNo(65, 3),
    /* 20 IACMRes     */ yesNo(63, 1),
    /* 21 IACRes      */ yesNo(63, 0),
    /* 22 INJ         */ injection(43, 1.95313, 44, 0.007647, 2, kMs, capped(timesV(1.538), 65)),
    /* 23 INT         */ number(48, 1, 0, 0, kNoUnit, timesB(0.392)),
    /* 24 Idle        */ yesNo(62, 2),
    /* 25 IntReset    */ yesNo(62, 6),
    /* 26 JUFRXX      */ number(32, 12.501, 0, 0, kRpm, timesB(0.392)),
    /* 27 LEARN       */ number(46, 1, 0, 0, kNoUnit, timesB(0.392)),
    /* 28 LOOP        */ yesNo(59, 1),
    /* 29 MAP         */ number(15, 0.3686274, 10, 1, kKPa, timesV(0.9578)),
    /* 30 O2ready     */ yesNo(64, 0),
    /* 31 OCTAN       */ octane(66),
    /* 32 PARK/N      */ yesNo(65, 0),
    /* 33 PROM id     */ promId(7, 8),
    /* 34 PrgSol      */ yesNo(57, 7),
    /* 35 RICH        */ yesNo(59, 6),
    /* 36 RPM low     */ yesNo(62, 3),
    /* 37 SPEED       */ number(21, 1, 0, 0, kKmh, timesB(0.392)),
    /* 38 SSM         */ number(30, 1, 0, 0, kStep, timesB(0.392)),
    /* 39 TAIR        */ number(14, 0.749019, -40, 0, kCelsius, plusVTimes(40, 0.52)),
    /* 40 THR         */ throttle(18, kPercent),
    /* 41 TWAT        */ number(13, 0.749019, -40, 0, kCelsius, plusVTimes(40, 0.52)),
    /* 42 UBAT        */ number(26, 0.1, 0, 1, kVolt, timesV(3.921)),
    /* 43 UO2SENS     */ number(20, 4.43, 0, 0, kMillivolt, timesV(0.0884)),
    /* 44 UOZ         */ ignition(28, 29, 0.3529, 1, kCrankDegree, plusVTimes(90, 0.55)),
    /* 45 UTHR        */ number(18, 0.02, 0, 2, kVolt, timesV(19.6)),
    /* 46 VGIS        */ yesNo(57, 6),
    /* 47 Eer 1       */ errorGroup(9),
    /* 48 Eer 2       */ errorGroup(10),
    /* 49 Eer 3       */ errorGroup(11),
    /* 50 Eer 4       */ errorGroup(12),
    /* 51 Fuel cutoff */ yesNo(55, 4),
    /* 52 Fuel pump   */ yesNo(55, 2),
    /* 53 High fan    */ yesNo(54, 3),
    /* 54 Low fan     */ yesNo(54, 5),
};

const FamilyLayout kLayout = {
    kRows, sizeof kRows / sizeof kRows[0],
    //  FREQ INJ MAP AIRFUEL THR UTHR UOZ TWAT TAIR UO2SENS BLMCELL SPEED UBAT PROM id
    {   16,  22, 29, 5,      40, 45,  44, 41,  39,  43,     8,      37,   42,  33},
    /* error groups */ 4, /* ecuIdleRaw */ 0, /* ecuAirFuelRaw */ 45,
};
// clang-format on

} // namespace

const FamilyLayout& family4Layout() {
    return kLayout;
}

} // namespace decode
