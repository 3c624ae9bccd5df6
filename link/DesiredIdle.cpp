#include "link/DesiredIdle.h"

#include <algorithm>
#include <cstdint>

#include "link/FormatFixed.h"
#include "state/EcuData.h"
#include "state/Selection.h"

namespace {

constexpr double kIdleStepRpm = 6.25;
constexpr float kCoarseIdleStepRpm = 12.501f;

std::string TruncatedRpm(int32_t raw) {
    return std::to_string(static_cast<long long>(raw * kIdleStepRpm));
}

} // namespace

DesiredIdle ReadDesiredIdle(const Selection& selection, const EcuData& ecu) {
    DesiredIdle idle;
    const int family = selection.ecuFamily.load();
    if (family == 1) {
        const int32_t raw = ecu.ecuIdleRaw.load();
        idle.follow = true;
        idle.raw = std::clamp(raw, 0, 255);
        idle.text = TruncatedRpm(raw);
        return idle;
    }

    // RawFrame holds a reply only while the link has a good one (it starts with
    // the echoed F4); after a failed poll it is all zero.
    const auto frame = ecu.rawFrame.snapshot();
    const bool haveReply = frame[0] == 0xF4;
    switch (family) {
    case 2:
        idle.follow = haveReply;
        idle.raw = haveReply ? frame[30] : 0;
        idle.text = TruncatedRpm(idle.raw);
        break;
    case 3:
    case 4: {
        const int byte = haveReply ? frame[family == 3 ? 30 : 32] : 0;
        const float rpm = byte * kCoarseIdleStepRpm;
        idle.text = formatFixed(rpm, 0, selection.decimalSeparator.load());
        break;
    }
    default:
        idle.text = "0";
        break;
    }
    return idle;
}
