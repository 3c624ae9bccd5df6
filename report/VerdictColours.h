#pragma once
// The colour of each verdict, as the report's table and the analysis window's
// «Проверки» list both show it: a pale background and the ink written on it.
#include <cstdint>
#include <string>

#include "checks/CheckRanges.h"

namespace report {

struct Colour {
    uint8_t r = 0, g = 0, b = 0;
};

struct VerdictColour {
    checks::Verdict verdict;
    Colour background;
    Colour ink;
};

const VerdictColour& VerdictColourOf(checks::Verdict verdict);
// The report's CSS classes of the verdicts, named by VerdictId:
// ".ok { background: #dff3df; color: #111111; } ...".
std::string VerdictStyle();

} // namespace report
