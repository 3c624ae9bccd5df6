#pragma once
// A check's figures as the program words them, in the checks window and the report alike: a
// number with a decimal comma, and the range a figure was judged by.
#include <string>

#include "checks/CheckResult.h"

namespace checks {

// As few decimals as it needs (up to 2), a decimal comma; "—" for NaN, "∞" and "−∞".
std::string NumberText(double value);

// The figure's normal band with its unit and the fault limit beside it:
// "13,5 … 14,8 В (неисправность вне 12,6 … 16)", "≥ 10 1/10 с (неисправность ниже 3)",
// "≤ 2 % (неисправность выше 20)"; empty for a figure that was not judged by a band.
std::string RangeText(const Figure& figure, int family);

} // namespace checks
