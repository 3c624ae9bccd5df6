#pragma once
// Turns the receive buffer into the main readout, the channels of the current
// ECU family, the trouble-code bytes and the ECU values the actuator window
// follows. Runs on the link thread once per cycle, whatever the buffer holds.
#include <cstdint>

#include "app/MainState.h"
#include "link/LinkEvents.h"

constexpr int kReplyBufferSize = 100;

// replyBuffer holds kReplyBufferSize bytes; family 5 (or any other) writes nothing.
void DecodeReply(const uint8_t* replyBuffer, MainState& state, LinkEvents& events);
