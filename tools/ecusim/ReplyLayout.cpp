#include "tools/ecusim/ReplyLayout.h"

#include <algorithm>
#include <cmath>

#include "tools/ecusim/AldlFrame.h"

namespace ecusim {

uint8_t toByte(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

uint8_t temperatureByte(double celsius) {
    return toByte((celsius + 40) / 0.749019);
}

uint8_t pressureByte(double kpa, double offset) {
    return toByte((kpa - offset) / 0.3686274);
}

namespace {

uint8_t bit(bool on, int position) {
    return on ? static_cast<uint8_t>(1u << position) : 0;
}

// Writes a 16-bit raw value big-endian into two reply bytes.
void put16(PollReply& r, int at, double raw) {
    const long v = std::clamp(std::lround(raw), 0L, 65535L);
    r[at] = static_cast<uint8_t>(v >> 8);
    r[at + 1] = static_cast<uint8_t>(v & 0xFF);
}

// Ignition advance: the low byte carries degrees / 0.3529; the high byte above 127
// would mean retard (minus 90), which an idling engine never shows.
void putAdvance(PollReply& r, int at, double degrees) {
    r[at] = 0;
    r[at + 1] = toByte(degrees / 0.3529);
}

void putRunTime(PollReply& r, int at, double seconds) {
    put16(r, at, std::min(seconds, 65535.0));
}

void putCommon(PollReply& r, const EcuIdentity& ecu) {
    r[7] = ecu.promId[0];
    r[8] = ecu.promId[1];
}

// EcuFamily 1 and 2 share the layout; 2 moves the loop bits and adds SSM at byte 28.
void layoutFamily12(PollReply& r, int family, const EngineState& e, const EcuIdentity& ecu) {
    r[9] = ecu.codes[0];
    r[10] = ecu.codes[1];
    r[11] = temperatureByte(e.coolantSensorC);
    r[13] = toByte(e.throttleVolts / 0.02);
    r[14] = toByte(e.throttlePercent / 0.3921);
    r[15] = toByte(e.rpm / 25);
    r[18] = toByte(e.speedKmh / 1.6078);
    r[20] = toByte(e.o2Millivolts / 4.43);
    r[24] = toByte(e.blm);
    r[25] = toByte(e.blmCell);
    r[26] = toByte(e.integrator);
    r[27] = toByte(e.iacSteps);
    if (family == 2) r[28] = toByte(e.iacSteps + 4);
    r[29] = toByte(e.desiredIdleRpm / 6.25);
    r[30] = toByte(e.desiredIdleRpm / 6.25);
    r[31] = pressureByte(e.baroKpa, 10.4);
    r[32] = pressureByte(e.mapKpa, 10.4);
    r[35] = temperatureByte(e.intakeAirC);
    r[37] = toByte(e.batteryVolts / 0.1);
    putAdvance(r, 39, e.ignitionDeg);
    put16(r, 41, e.injectionMs / 0.01525);
    r[43] = toByte(e.airFuel / 0.1);
    putRunTime(r, 45, e.runSeconds);
    // MW1: AIRCON bit 4, FAN bit 3, TCC/SHIFT bit 7.
    r[56] = bit(e.airConOn, 4) | bit(e.fanOn, 3);
    // Loop and rich bits.
    if (family == 1)
        r[59] = bit(e.closedLoop, 1) | bit(e.rich, 6);
    else
        r[59] = bit(e.closedLoop, 0) | bit(e.rich, 1);
    // FMDBYTE1: A/C request bit 0, fan request bit 1, bit 2 clear in park/neutral,
    // octane bits 7 and 5 (both set: 91).
    r[61] = bit(e.airConOn, 0) | bit(e.fanOn, 1) | bit(true, 7) | bit(true, 5);
}

void layoutFamily3(PollReply& r, const EngineState& e, const EcuIdentity& ecu) {
    r[9] = ecu.codes[0];
    r[10] = ecu.codes[1];
    r[11] = ecu.codes[2];
    r[12] = temperatureByte(e.coolantSensorC);
    r[14] = toByte(e.throttleVolts / 0.02);
    r[15] = toByte(e.throttlePercent / 0.3921);
    r[16] = toByte(e.rpm / 25);
    r[19] = toByte(e.speedKmh / 1.6078);
    r[21] = toByte(e.o2Millivolts / 4.43);
    r[24] = toByte(e.blm);
    r[25] = toByte(e.blmCell);
    r[26] = toByte(e.integrator);
    r[27] = toByte(e.iacSteps);
    r[29] = toByte(e.desiredIdleRpm / 12.501);
    r[30] = toByte(e.desiredIdleRpm / 12.501);
    r[31] = pressureByte(e.baroKpa, 10.4);
    r[32] = pressureByte(e.mapKpa, 10.4);
    r[36] = temperatureByte(e.intakeAirC);
    r[37] = toByte(e.batteryVolts / 0.1);
    putAdvance(r, 39, e.ignitionDeg);
    put16(r, 41, e.injectionMs / 0.01525);
    r[43] = toByte(e.airFuel / 0.1);
    putRunTime(r, 45, e.runSeconds);
    r[56] = bit(e.airConOn, 5);
    r[59] = bit(e.closedLoop, 7) | bit(e.rich, 6);
    // A/C request bit 7, fan request bit 4; bits 0 (park/neutral) and 2 (steering
    // load) read inverted, so clear means "yes".
    r[61] = bit(e.airConOn, 7) | bit(e.fanOn, 4) | bit(true, 2);
    r[63] = bit(e.fanOn, 0);
}

void layoutFamily4(PollReply& r, const EngineState& e, const EcuIdentity& ecu) {
    r[9] = ecu.codes[0];
    r[10] = ecu.codes[1];
    r[11] = ecu.codes[2];
    r[12] = ecu.codes[3];
    r[13] = temperatureByte(e.coolantSensorC);
    r[14] = temperatureByte(e.intakeAirC);
    r[15] = pressureByte(e.mapKpa, 10);
    // Throttle: 26 counts is closed, every count above is half a percent; a sensor signal
    // gone to 0 V reads 0.
    r[18] = e.throttleVolts > 0 ? toByte(26 + e.throttlePercent * 2) : 0;
    r[19] = toByte(e.rpm / 25);
    r[20] = toByte(e.o2Millivolts / 4.43);
    r[21] = toByte(e.speedKmh);
    r[23] = toByte(((e.airConOn ? 1400 : 600) + 128) / 12.8196);
    r[25] = temperatureByte(e.coolantC - 5);
    r[26] = toByte(e.batteryVolts / 0.1);
    r[27] = 128;
    putAdvance(r, 28, e.ignitionDeg);
    r[30] = toByte(e.iacSteps + 4);
    r[31] = toByte(e.iacSteps);
    r[32] = toByte(e.desiredIdleRpm / 12.501);
    put16(r, 43, e.injectionMs / 0.007647);
    r[45] = toByte(e.airFuel / 0.1);
    r[46] = toByte(e.blm);
    r[47] = toByte(e.blmCell);
    r[48] = toByte(e.integrator);
    // CT Sw 2, high fan 3, A/C clutch 4, low fan 5, A/C switch 6.
    r[54] = bit(e.idle, 2) | bit(e.fanOn && e.coolantC > 95, 3) | bit(e.airConOn, 4) |
            bit(e.fanOn, 5) | bit(e.airConOn, 6);
    r[55] = bit(true, 2); // fuel pump running
    r[57] = 0;
    r[58] = bit(e.idle, 0);
    r[59] = bit(e.closedLoop, 1) | bit(e.closedLoop, 3) | bit(e.rich, 6);
    r[62] = bit(e.idle, 2);
    r[64] = bit(e.closedLoop, 0);
    r[65] = bit(true, 0) | bit(e.airConOn, 1) | bit(e.idle, 3); // park/neutral
    r[66] = bit(e.airConOn, 0) | bit(e.fanOn, 2) | bit(true, 7) | bit(true, 5);
}

} // namespace

PollReply buildPollReply(int family, const EngineState& engine, const EcuIdentity& ecu) {
    PollReply r{};
    for (size_t i = 0; i < kPollSize; ++i)
        r[i] = kPollRequest[i];
    putCommon(r, ecu);
    switch (family) {
    case 1:
    case 2:
        layoutFamily12(r, family, engine, ecu);
        break;
    case 3:
        layoutFamily3(r, engine, ecu);
        break;
    default:
        layoutFamily4(r, engine, ecu);
        break;
    }
    const std::vector<uint8_t> frame = buildFrame(kModeData, &r[7], kDataBytes);
    for (size_t i = 0; i < frame.size(); ++i)
        r[4 + i] = frame[i];
    return r;
}

} // namespace ecusim
