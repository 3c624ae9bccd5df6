#include <windows.h>

#include "platform/Clock.h"

WallTime WallNow() {
    FILETIME utc{}, local{};
    GetSystemTimeAsFileTime(&utc);
    auto ticks = [](const FILETIME& t) { // 100 ns since 1601
        return static_cast<int64_t>((static_cast<uint64_t>(t.dwHighDateTime) << 32) |
                                    t.dwLowDateTime);
    };
    constexpr int64_t kUnixEpochMs = 11644473600000LL; // 1601 to 1970
    WallTime now;
    now.utcMs = ticks(utc) / 10000 - kUnixEpochMs;
    if (FileTimeToLocalFileTime(&utc, &local))
        now.offsetMinutes = static_cast<int>((ticks(local) - ticks(utc)) / 600000000LL);
    return now;
}
