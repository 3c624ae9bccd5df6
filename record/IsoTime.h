#pragma once
// Date-times as a recording writes them: ISO 8601 local time with its UTC
// offset, "2026-12-09T21:44:48.250+03:00" (milliseconds optional when read).
#include <cstdint>
#include <string>

#include "platform/Clock.h"

struct LocalTime {
    int64_t localMs = 0;   // milliseconds since 1970-01-01T00:00 of the local clock
    int offsetMinutes = 0; // local minus UTC
};

// The local clock reading utcMs at the given offset.
LocalTime LocalTimeAt(int64_t utcMs, int offsetMinutes);
inline LocalTime LocalTimeAt(const WallTime& wall) {
    return LocalTimeAt(wall.utcMs, wall.offsetMinutes);
}
// "YYYY-MM-DDTHH:MM:SS.mmm+HH:MM".
std::string FormatIso(const LocalTime& time);
// False (and out untouched) when text is not such a date-time.
bool ParseIso(const std::string& text, LocalTime& out);
// time moved on by ms, at the same offset.
LocalTime Later(const LocalTime& time, int64_t ms);
// "YYYY-MM-DD_HH-MM-SS", as the file name carries it.
std::string FileNameStamp(const LocalTime& time);
// "09.12.2026 21:44", as the report and the lists of recordings show a date.
std::string DateMinuteText(const LocalTime& time);
