#pragma once
// What the trouble-code window's refresh tick does with the error bytes: the
// list is rebuilt only when one of the bytes the family uses has changed since
// the last rebuild, and then holds one line per set bit that has a message.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "state/ErrorCodes.h"
#include "state/LinkRequests.h"

struct TroubleCodeRefresh {
    bool rebuilt = false;           // false: leave the list and the count alone
    std::vector<std::string> lines; // the new list, in table order
    std::string countText;          // the new caption of the count label
};

class TroubleCodeList {
  public:
    // One refresh tick on a consistent copy of the error bytes and bits.
    TroubleCodeRefresh tick(const ErrorCodeSnapshot& errors, int family);

    int codeCount() const { return codeCount_; }
    int32_t lastErrorByte(int k) const { return (k >= 1 && k <= 4) ? lastErrorBytes_[k - 1] : 0; }

  private:
    int32_t codeCount_ = 0;
    std::array<int32_t, 4> lastErrorBytes_{};
};

// The reset button: asks the link thread to send the clear-codes frame. The
// list changes only when later replies carry the cleared bytes.
void RequestClearCodes(LinkRequests& requests);
