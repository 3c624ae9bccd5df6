#pragma once
// Turns the receive buffer into the main readout, the channels of the current
// ECU family, the trouble-code bytes and the ECU values the actuator window
// follows. Runs once per judged reply, whatever the buffer holds.
#include <cstdint>

#include "link/JudgedReply.h"
#include "link/LinkEvents.h"
#include "state/EcuData.h"

// replyBuffer holds kReplyBufferSize bytes (null: nothing is written); family 5
// (or any other) writes nothing.
void DecodeReply(const uint8_t* replyBuffer, int family, char decimalSeparator, EcuData& ecu,
                 LinkEvents& events);
