#pragma once
// The 54 bars of the received-data panel: which reply byte each shows, where it
// stands and how tall it is (grid units).
#include <cstdint>

constexpr int kRawDataBars = 54;

// RawFrame byte of bar b: 7..59 for bars 0..52, 67 for bar 53.
int RawDataBarSourceByte(int bar);
// 21 + 3b + floor((b + 2) / 3) for bars 0..52 (groups of three), 198 for bar 53.
int RawDataBarX(int bar);
// value * 0.196 + 1, truncated: 0 gives 1, 255 gives 50.
int RawDataBarHeight(uint8_t value);
