#pragma once
// The link's clock: the milliseconds a judged reply is stamped with. Whatever is
// put on the same timeline as the replies (a recording's events and markers)
// reads this clock.
#include <chrono>
#include <cstdint>

inline int64_t LinkClockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
