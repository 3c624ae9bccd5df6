#include "checks/FigureText.h"

#include <cmath>
#include <cstdio>

namespace checks {

namespace {

// "a … b", "≥ a" or "≤ b", as the band's open sides say.
std::string bandText(double lo, double hi) {
    if (std::isinf(lo) && std::isinf(hi)) return "";
    if (std::isinf(hi)) return "≥ " + NumberText(lo);
    if (std::isinf(lo)) return "≤ " + NumberText(hi);
    return NumberText(lo) + " … " + NumberText(hi);
}

} // namespace

std::string NumberText(double v) {
    if (std::isnan(v)) return "—";
    if (std::isinf(v)) return v > 0 ? "∞" : "−∞";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    std::string s = text;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

std::string RangeText(const Figure& f, int family) {
    if (!f.judged) return "";
    const RangeRow& row = CheckRange(f.range, family);
    if (row.kind != Kind::Band) return "";
    std::string text = bandText(row.okLo, row.okHi);
    if (*row.unit) text += std::string(" ") + row.unit;
    if (std::isinf(row.faultLo) && std::isinf(row.faultHi)) return text;
    if (std::isinf(row.faultLo))
        text += " (неисправность выше " + NumberText(row.faultHi) + ")";
    else if (std::isinf(row.faultHi))
        text += " (неисправность ниже " + NumberText(row.faultLo) + ")";
    else
        text += " (неисправность вне " + NumberText(row.faultLo) + " … " + NumberText(row.faultHi) +
                ")";
    return text;
}

} // namespace checks
