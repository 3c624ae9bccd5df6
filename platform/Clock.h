#pragma once
// The program's clocks. The steady clock stamps the timeline of replies and
// events (a judged reply, a recording's events and markers) and paces replay; it
// never jumps. Wall time is for stamps a person reads (a recording's start, the
// diagnostic log) and is read through the system (platform/Win32Clock.cpp).
#include <chrono>
#include <cstdint>

// Milliseconds and microseconds of the steady clock, from any fixed start.
inline int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
inline int64_t SteadyUs() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// The wall clock: milliseconds since 1970 (UTC) and the local offset then.
struct WallTime {
    int64_t utcMs = 0;
    int offsetMinutes = 0; // local minus UTC
};
WallTime WallNow();
