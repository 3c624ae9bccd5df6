#pragma once
// What the windows ask of the link thread, and its verdict on the last command.
//
// Every request is a flag the GUI thread sets to 1 and the link thread takes
// (sets back to 0) when it has acted. The targets are written before their
// flag; requestStatus is written by the link thread and read by the actuator
// window (0 nothing yet, 1 confirmed, 2 rejected).
#include <array>
#include <atomic>
#include <cstdint>

constexpr int kCommandSlots = 14;

struct LinkRequests {
    std::atomic<uint8_t> openRequested{0};
    std::atomic<uint8_t> closeRequested{0};
    std::atomic<uint8_t> clearCodesRequested{0};
    std::atomic<uint8_t> returnControlRequested{0};
    std::array<std::atomic<uint8_t>, kCommandSlots> commandRequests{};
    std::atomic<int32_t> idleTarget{0};
    std::atomic<int32_t> mixtureTarget{0};

    std::atomic<int32_t> requestStatus{0};
};
