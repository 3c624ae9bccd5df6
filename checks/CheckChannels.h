#pragma once
// The channels the checks read, found per ECU family through the catalogue's mnemonics, and
// the readings a channel shows with its raw byte at either end of the scale (a pinned sensor).
#include <string>

namespace checks {

enum class Role : int {
    Rpm,         // FREQ
    DesiredIdle, // DEFR; family 4 JUFRXX
    Coolant,     // TWAT
    IntakeAir,   // TAIR
    Throttle,    // THR, %
    ThrottleV,   // UTHR
    Map,         // MAP
    Baro,        // BARO
    Speed,       // SPEED
    Battery,     // UBAT
    Oxygen,      // UO2SENS
    ClosedLoop,  // JOOP; family 4 LOOP
    Learn,       // LEARN
    Integrator,  // INT
    IdleAir,     // FSM
    Fan,         // FAN; family 4 "Low fan"
    Count
};

// The catalogue row of the role's channel in the family, -1 when the family has none.
int ChannelOf(Role role, int family);

// The readings of the channel with its byte at raw (SensorPinnedRaw's ends); false when the
// channel is not read from one byte.
bool ReadingAtRaw(int family, int channel, int raw, double& out);

} // namespace checks
