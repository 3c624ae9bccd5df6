#include "analysis/DecimalText.h"

namespace analysis {

namespace {
constexpr int kMaxDigits = 15; // every such integer is exact in a double
}

bool ParseDecimal(const std::string& text, double& out) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    // All digits as one integer, divided once by the power of ten of the
    // fraction: one rounding, so the result is the nearest double, as strtod's.
    double digits = 0, scale = 1;
    int count = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++count)
        digits = digits * 10 + (text[i] - '0');
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++count) {
            digits = digits * 10 + (text[i] - '0');
            scale *= 10;
        }
    }
    if (count == 0 || count > kMaxDigits || i != text.size()) return false;
    const double v = digits / scale;
    out = negative ? -v : v;
    return true;
}

} // namespace analysis
