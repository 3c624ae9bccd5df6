#include "link/FormatFixed.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

using Wide = unsigned __int128;

constexpr int kMaxDecimals = 30; // 2^24 * 10^30 still fits in 128 bits

// Decimal digits of n, at least minDigits of them (leading zeros added).
std::string digitsOf(Wide n, int minDigits) {
    char buffer[48];
    int pos = sizeof(buffer);
    do {
        buffer[--pos] = static_cast<char>('0' + static_cast<int>(n % 10));
        n /= 10;
    } while (n != 0);
    while (static_cast<int>(sizeof(buffer)) - pos < minDigits && pos > 0)
        buffer[--pos] = '0';
    return std::string(buffer + pos, sizeof(buffer) - pos);
}

Wide powerOfTen(int n) {
    Wide p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

} // namespace

std::string formatFixed(float v, int decimals, char decimalSeparator) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxDecimals) decimals = kMaxDecimals;

    // |v| = mantissa * 2^exponent exactly.
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const bool negative = (bits >> 31) != 0;
    const int biased = static_cast<int>((bits >> 23) & 0xFF);
    const uint32_t fraction = bits & 0x7FFFFF;
    const uint32_t mantissa = biased == 0 ? fraction : (fraction | 0x800000u);
    const int exponent = biased == 0 ? -149 : biased - 150;

    std::string digits; // |v| * 10^decimals rounded, as decimal digits
    bool zero = false;
    if (exponent >= 0) {
        // A whole number (below 2^128): its digits, then the zero decimals.
        const Wide whole = static_cast<Wide>(mantissa) << exponent;
        zero = whole == 0;
        digits = digitsOf(whole, 1) + std::string(decimals, '0');
    } else {
        const Wide scaled = static_cast<Wide>(mantissa) * powerOfTen(decimals);
        const int shift = -exponent;
        Wide rounded = 0;
        if (shift < 127) {
            rounded = scaled >> shift;
            const Wide remainder = scaled - (rounded << shift);
            if (remainder >= (static_cast<Wide>(1) << (shift - 1))) ++rounded; // half away from 0
        } // else: below 2^-22 after scaling by at most 10^30 / 2^127, rounds to 0
        zero = rounded == 0;
        digits = digitsOf(rounded, decimals + 1);
    }

    std::string text;
    text.reserve(digits.size() + 2);
    if (negative && !zero) text += '-';
    if (decimals == 0) {
        text += digits;
    } else {
        text.append(digits, 0, digits.size() - decimals);
        text += decimalSeparator;
        text.append(digits, digits.size() - decimals, std::string::npos);
    }
    return text;
}
