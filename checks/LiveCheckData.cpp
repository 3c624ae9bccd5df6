#include "checks/LiveCheckData.h"

namespace checks {

const float* LiveCheckData::column(int channel) const {
    if (channel < 0 || channel >= static_cast<int>(columns_.size())) return nullptr;
    return columns_[static_cast<std::size_t>(channel)].data();
}

double LiveCheckData::seconds() const {
    return times_.empty() ? 0 : (times_.back() - times_.front()) / 1000.0;
}

} // namespace checks
