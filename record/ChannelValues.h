#pragma once
// One recorded reply decoded by the program's own decoder and read back as the
// CSV export writes it: the decoder's numbers without units, yes/no as 1/0, bit
// groups as their byte, texts (PROM id, run time) as they are.
#include <memory>
#include <string>
#include <vector>

#include "state/EcuData.h"

class ChannelValues {
  public:
    ChannelValues();
    // reply: the 68 bytes of a good reply. One text per channel of the family.
    const std::vector<std::string>& decode(const uint8_t* reply, int family, char decimalSymbol);

  private:
    std::unique_ptr<EcuData> scratch_; // large: kept for the whole export
    std::vector<std::string> values_;
};
