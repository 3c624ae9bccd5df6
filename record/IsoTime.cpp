#include "record/IsoTime.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int64_t kDayMs = 86400000;

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int64_t& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

struct Fields {
    int64_t year;
    int month, day, hour, minute, second, ms;
};

Fields fieldsOf(int64_t localMs) {
    int64_t days = localMs / kDayMs;
    int64_t rest = localMs % kDayMs;
    if (rest < 0) {
        rest += kDayMs;
        --days;
    }
    Fields f{};
    civilFromDays(days, f.year, f.month, f.day);
    f.hour = static_cast<int>(rest / 3600000);
    f.minute = static_cast<int>(rest / 60000 % 60);
    f.second = static_cast<int>(rest / 1000 % 60);
    f.ms = static_cast<int>(rest % 1000);
    return f;
}

bool digits(const std::string& text, std::size_t at, std::size_t count, int& out) {
    if (at + count > text.size()) return false;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    out = value;
    return true;
}

} // namespace

LocalTime LocalTimeAt(int64_t utcMs, int offsetMinutes) {
    return {utcMs + int64_t(offsetMinutes) * 60000, offsetMinutes};
}

std::string FormatIso(const LocalTime& time) {
    const Fields f = fieldsOf(time.localMs);
    const int offset = time.offsetMinutes < 0 ? -time.offsetMinutes : time.offsetMinutes;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d",
                  static_cast<long long>(f.year), f.month, f.day, f.hour, f.minute, f.second, f.ms,
                  time.offsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return buffer;
}

bool ParseIso(const std::string& text, LocalTime& out) {
    int y, mo, d, h, mi, s, ms = 0, oh, om;
    if (!digits(text, 0, 4, y) || text.size() < 19 || text[4] != '-' || !digits(text, 5, 2, mo) ||
        text[7] != '-' || !digits(text, 8, 2, d) || text[10] != 'T' || !digits(text, 11, 2, h) ||
        text[13] != ':' || !digits(text, 14, 2, mi) || text[16] != ':' || !digits(text, 17, 2, s))
        return false;
    std::size_t at = 19;
    if (at < text.size() && text[at] == '.') {
        if (!digits(text, at + 1, 3, ms)) return false;
        at += 4;
    }
    int offset = 0;
    if (at < text.size() && text[at] == 'Z') {
        ++at;
    } else {
        if (at >= text.size() || (text[at] != '+' && text[at] != '-')) return false;
        if (!digits(text, at + 1, 2, oh) || text.size() <= at + 3 || text[at + 3] != ':' ||
            !digits(text, at + 4, 2, om))
            return false;
        offset = (oh * 60 + om) * (text[at] == '-' ? -1 : 1);
        at += 6;
    }
    if (at != text.size() || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60)
        return false;
    out.localMs = daysFromCivil(y, mo, d) * kDayMs + h * 3600000LL + mi * 60000LL + s * 1000LL + ms;
    out.offsetMinutes = offset;
    return true;
}

LocalTime Later(const LocalTime& time, int64_t ms) {
    return {time.localMs + ms, time.offsetMinutes};
}

std::string FileNameStamp(const LocalTime& time) {
    const Fields f = fieldsOf(time.localMs);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02d-%02d_%02d-%02d-%02d",
                  static_cast<long long>(f.year), f.month, f.day, f.hour, f.minute, f.second);
    return buffer;
}

std::string DateMinuteText(const LocalTime& time) {
    const Fields f = fieldsOf(time.localMs);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04lld %02d:%02d", f.day, f.month,
                  static_cast<long long>(f.year), f.hour, f.minute);
    return buffer;
}
