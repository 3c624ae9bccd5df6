#pragma once
// What the ECU sent, as the link thread leaves it after each reply: the decoded
// channels, the last good reply, the trouble-code bytes, the values the
// actuator window follows, and whether the data is current. The GUI thread and
// the sampler read it.
#include <atomic>
#include <cstdint>

#include "state/ChannelStore.h"
#include "state/ErrorCodes.h"
#include "state/RawFrame.h"

struct EcuData {
    ChannelStore channels;
    RawFrame rawFrame;
    ErrorCodes errors; // errorBytes / errorBits
    std::atomic<int32_t> ecuIdleRaw{0};
    std::atomic<int32_t> ecuAirFuelRaw{0};
    std::atomic<float> dataValid{0.0f}; // 1.0 while replies are good: the sampler runs on it
};
