#include "codes/TroubleCodeList.h"

#include "codes/TroubleCodeMessages.h"

TroubleCodeRefresh TroubleCodeList::tick(const ErrorCodeSnapshot& errors, int family) {
    TroubleCodeRefresh refresh;
    const int used = UsedErrorBytes(family);

    bool changed = false;
    for (int k = 1; k <= used; ++k)
        if (errors.bytes[k] != lastErrorBytes_[k - 1]) changed = true;

    if (changed) {
        const TroubleCodeTable table = TroubleCodeMessages(family);
        for (std::size_t i = 0; i < table.size; ++i) {
            const TroubleCodeRow& row = table.rows[i];
            if (errors.bits[row.errorByte][row.bit] != 0) {
                ++codeCount_;
                refresh.lines.emplace_back(row.message);
            }
        }
        refresh.rebuilt = true;
        refresh.countText = std::to_string(codeCount_);
        for (int k = 1; k <= used; ++k)
            lastErrorBytes_[k - 1] = errors.bytes[k];
    }

    codeCount_ = 0;
    return refresh;
}

void RequestClearCodes(LinkRequests& requests) {
    requests.clearCodesRequested.store(1);
}
