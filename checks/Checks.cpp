#include "checks/Checks.h"

#include <algorithm>

#include "codes/TroubleCodeMessages.h"
#include "ecu/DecodeTables.h"
#include "record/TroubleCodeLabels.h"
#include "checks/ChecksFamilies.h"

namespace checks {

namespace {

using CheckFunction = CheckResult (*)(const CheckContext&);

// clang-format off
const CheckFunction kChecks[kCheckCount] = {
    CheckOxygenSensor, CheckClosedLoop, CheckCoolant,  CheckIntakeAir,
    CheckThrottle,     CheckMap,        CheckIdle,     CheckCharging,
    CheckFuelTrim,     CheckLink,       CheckTroubleCodes, CheckActuators,
};
// clang-format on

CheckResult run(Check check, const CheckContext& context) {
    CheckResult result = kChecks[static_cast<int>(check)](context);
    result.check = check;
    if (result.verdict == Verdict::NoData)
        result.notes.insert(result.notes.begin(), NoDataText(check));
    return result;
}

// The error-byte channels of the family, by error byte 1..4 (-1 where none).
std::vector<int> errorChannels(int family) {
    std::vector<int> out(5, -1);
    const decode::FamilyLayout* layout = decode::familyLayout(family);
    if (!layout) return out;
    for (int k = 0; k < layout->rowCount; ++k)
        if (layout->rows[k].rule == decode::Rule::ErrorGroup) {
            const int byte = layout->rows[k].byte - 8;
            if (byte >= 1 && byte <= 4) out[byte] = k;
        }
    return out;
}

} // namespace

std::vector<CheckResult> RunChecks(const CheckData& data) {
    const CheckContext context(data);
    std::vector<CheckResult> results;
    for (int k = 0; k < kCheckCount; ++k)
        results.push_back(run(static_cast<Check>(k), context));
    return results;
}

CheckResult RunCheck(Check check, const CheckData& data) {
    return run(check, CheckContext(data));
}

std::vector<SessionCode> SessionCodes(const CheckData& data) {
    const int family = data.family();
    std::vector<SessionCode> codes;
    auto find = [&](int errorByte, int bit) -> SessionCode& {
        for (SessionCode& c : codes)
            if (c.errorByte == errorByte && c.bit == bit) return c;
        SessionCode c;
        c.errorByte = errorByte, c.bit = bit;
        c.label = TroubleCodeLabel(errorByte, bit);
        c.text = TroubleCodeText(family, errorByte, bit);
        codes.push_back(c);
        return codes.back();
    };
    const std::vector<int> channels = errorChannels(family);
    const int used = UsedErrorBytes(family);
    for (int byte = 1; byte <= used && byte <= 4; ++byte) {
        const float* column = channels[byte] >= 0 ? data.column(channels[byte]) : nullptr;
        if (!column) continue;
        int seen = 0;
        for (std::size_t i = 0; i < data.polls(); ++i)
            if (data.good(i) && column[i] == column[i]) seen |= static_cast<int>(column[i]);
        for (int bit = 0; bit < 8; ++bit)
            if (seen & (1 << bit)) find(byte, bit).present = true;
    }
    for (const CheckEvent& e : data.events()) {
        if (e.kind == CheckEvent::Kind::CodeAppeared) find(e.errorByte, e.bit).appeared = true;
        if (e.kind == CheckEvent::Kind::CodeGone) find(e.errorByte, e.bit).gone = true;
        if (e.kind == CheckEvent::Kind::ClearCodes)
            for (SessionCode& c : codes)
                c.cleared = true;
    }
    std::sort(codes.begin(), codes.end(), [](const SessionCode& a, const SessionCode& b) {
        return a.errorByte != b.errorByte ? a.errorByte < b.errorByte : a.bit < b.bit;
    });
    return codes;
}

} // namespace checks
