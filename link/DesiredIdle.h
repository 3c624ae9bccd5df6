#pragma once
// The ECU's desired idle speed as the actuator window shows and follows it.
//
// The idle-speed frame carries its target in steps of 6.25 rpm. The window's
// idle trackbar follows the ECU's own desired-idle byte only where that byte
// has the same unit and comes from the ECU now connected:
//   family 1: ecuIdleRaw, which the family-1 decoder writes every cycle;
//   family 2: reply byte 30 (JUFRXX, x 6.25) of the last good reply;
//   families 3, 4: JUFRXX is byte 30 / byte 32 in steps of 12.501 rpm, so the
//     trackbar is left where the user put it and the label shows the rpm;
//   family 5 (no decoder) and anything else: nothing to follow, label "0".
// A value left behind by another family never moves the trackbar.
#include <string>

struct EcuData;
struct Selection;

struct DesiredIdle {
    bool follow = false; // the idle trackbar is set to `raw`
    int raw = 0;         // 0..255, steps of 6.25 rpm
    std::string text;    // the desired idle in rpm, as a whole number
};

DesiredIdle ReadDesiredIdle(const Selection& selection, const EcuData& ecu);
