#include "record/CodeWatch.h"

#include <algorithm>

#include "codes/TroubleCodeMessages.h"

std::vector<CodeChange> CodeWatch::next(const uint8_t* reply, int family) {
    std::vector<CodeChange> changes;
    const int used = std::min(UsedErrorBytes(family), 4); // bytes 1..4 at most
    for (int k = 1; k <= used; ++k) {
        const uint8_t now = reply[8 + k];
        if (known_) {
            const uint8_t was = bytes_[k];
            for (int bit = 0; bit < 8; ++bit) {
                const bool before = (was >> bit) & 1, after = (now >> bit) & 1;
                if (before != after) changes.push_back({k, bit, after});
            }
        }
        bytes_[k] = now;
    }
    known_ = true;
    return changes;
}
