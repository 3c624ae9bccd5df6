#pragma once
// Faults of the engine and its sensors that the simulated ECU reports in its data, as
// opposed to the faults of the line (Settings::fault). Any number may be set at once.
#include <cstdint>
#include <string>

namespace ecusim {

enum class EngineFault : uint32_t {
    O2Lazy = 1u << 0,          // the oxygen sensor switches slowly and not far
    O2StuckLean = 1u << 1,     // it reads about 100 mV whatever the mixture
    O2StuckRich = 1u << 2,     // it reads about 850 mV whatever the mixture
    TrimLean = 1u << 3,        // the engine runs lean: LEARN and INT above 128 in closed loop
    TrimRich = 1u << 4,        // the engine runs rich: LEARN and INT below 128 in closed loop
    ThermostatOpen = 1u << 5,  // stuck open: the coolant levels at about 65 °C
    CoolantOpen = 1u << 6,     // the coolant sensor circuit is open: the reading pinned cold
    CoolantShorted = 1u << 7,  // the coolant sensor is shorted: the reading pinned hot
    ThrottleDropout = 1u << 8, // the throttle sensor drops to 0 V now and then while open
    IdleUnstable = 1u << 9,    // the idle wanders a few hundred rpm about its target
    WeakCharging = 1u << 10,   // the battery at about 12.3 V with the engine running
    FanDead = 1u << 11,        // the fan-on command is confirmed but the fan stays as it was
};

using EngineFaults = uint32_t; // a set of EngineFault bits

constexpr bool has(EngineFaults set, EngineFault f) {
    return (set & static_cast<uint32_t>(f)) != 0;
}

// "o2-lazy", "fan-dead" ...; nullptr for a value that is not a single fault.
const char* engineFaultName(EngineFault f);

// A list of fault names separated by blanks or commas ("o2-lazy,fan-dead"), or "none".
// False (out untouched) on an unknown name or an empty list.
bool parseEngineFaults(const std::string& list, EngineFaults& out);

// The names of the set, comma-separated; "none" when empty.
std::string engineFaultList(EngineFaults set);

} // namespace ecusim
