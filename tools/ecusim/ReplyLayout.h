#pragma once
// Where each EcuFamily (1..4) puts the engine's values in its poll reply, and how it
// scales them. Byte numbers count from 0 at the first echoed request byte, as the
// diagnostic program reads them: 0..3 echo, 4 F4, 5 length, 6 mode, 7..66 data, 67 checksum.
#include <array>
#include <cstdint>

#include "tools/ecusim/EngineModel.h"

namespace ecusim {

struct EcuIdentity {
    uint8_t promId[2] = {0x1A, 0x0B};
    uint8_t codes[4] = {0, 0, 0, 0}; // trouble-code bytes 1..4 (reply bytes 9..12)
};

using PollReply = std::array<uint8_t, 68>;

// The whole 68-byte read: echo, then a proper data frame with its checksum.
PollReply buildPollReply(int family, const EngineState& engine, const EcuIdentity& ecu);

// The engine values scaled to one reply byte (rounded, clamped to 0..255).
uint8_t toByte(double value);
uint8_t temperatureByte(double celsius);         // b × 0.749019 − 40
uint8_t pressureByte(double kpa, double offset); // b × 0.3686274 + offset

} // namespace ecusim
