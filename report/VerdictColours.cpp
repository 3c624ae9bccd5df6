#include "report/VerdictColours.h"

#include <cstdio>

namespace report {

namespace {

// clang-format off
const VerdictColour kVerdictColours[] = {
//   verdict                      background          ink
    {checks::Verdict::Ok,        {0xdf, 0xf3, 0xdf}, {0x11, 0x11, 0x11}},
    {checks::Verdict::Attention, {0xff, 0xf1, 0xc7}, {0x11, 0x11, 0x11}},
    {checks::Verdict::Fault,     {0xf8, 0xd0, 0xd0}, {0x11, 0x11, 0x11}},
    {checks::Verdict::NoData,    {0xee, 0xee, 0xee}, {0x55, 0x55, 0x55}},
};
// clang-format on

std::string hex(const Colour& c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

} // namespace

const VerdictColour& VerdictColourOf(checks::Verdict verdict) {
    for (const VerdictColour& row : kVerdictColours)
        if (row.verdict == verdict) return row;
    return kVerdictColours[3];
}

std::string VerdictStyle() {
    std::string css;
    for (const VerdictColour& row : kVerdictColours)
        css += std::string(css.empty() ? "" : " ") + "." + checks::VerdictId(row.verdict) +
               " { background: " + hex(row.background) + "; color: " + hex(row.ink) + "; }";
    return css;
}

} // namespace report
