#pragma once
// What the simulator is told to be: set from the command line and changed at run
// time through the control file (ControlCommands).
#include <cstdint>

#include "tools/ecusim/EngineFaults.h"

namespace ecusim {

enum class Fault {
    None,
    Silent,    // no adapter: nothing comes back, not even the echo
    EchoOnly,  // the adapter echoes, the ECU stays silent
    Short,     // the poll answer loses its last byte: 67 bytes in all
    Long69,    // one stray byte after the answer: 69 bytes
    Long70,    // two stray bytes: 70 bytes
    WrongEcho, // the adapter garbles the echo (first byte F5 instead of F4 ...)
    Garbage,   // line noise: 68 bytes of rubbish instead of echo and answer
    HangUp,    // answers faultCount more polls, then goes silent
    Drop,      // every faultCount-th poll gets no answer (echo only)
};

struct Settings {
    int family = 1;        // EcuFamily 1..4
    bool confirm = true;   // confirm command frames (false: reject them)
    uint8_t codes[4] = {}; // trouble-code bytes 1..4
    Fault fault = Fault::None;
    int faultCount = 0;            // N of hangup/drop
    bool pace = true;              // 8200 baud, 11 bits per byte
    int delayMs = 5;               // ECU reaction time before its answer
    EngineFaults engineFaults = 0; // what is wrong with the engine and its sensors
    int holdRpm = 0;               // the mechanic holds the engine at this speed (0: idle, blips)
};

const char* faultName(Fault f);

} // namespace ecusim
