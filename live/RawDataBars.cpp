#include "live/RawDataBars.h"

int RawDataBarSourceByte(int bar) {
    return bar == kRawDataBars - 1 ? 67 : 7 + bar;
}

int RawDataBarX(int bar) {
    return bar == kRawDataBars - 1 ? 198 : 21 + 3 * bar + (bar + 2) / 3;
}

int RawDataBarHeight(uint8_t value) {
    return int(value * 0.196f + 1.0f);
}
