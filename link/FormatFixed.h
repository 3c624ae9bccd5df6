#pragma once
// Number texts of the readout and the channels.
#include <string>

// v in fixed notation with exactly `decimals` digits after decimalSeparator
// (none when decimals is 0). Rounds the float's exact value half away from
// zero; a minus sign only when the rounded result is not zero; no grouping.
std::string formatFixed(float v, int decimals, char decimalSeparator);
