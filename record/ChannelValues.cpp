#include "record/ChannelValues.h"

#include "ecu/DecodeTables.h"
#include "link/ReplyDecoder.h"

namespace {

std::string withoutUnit(std::string text, const char* unit) {
    const std::string suffix = unit;
    if (!suffix.empty() && text.size() >= suffix.size() &&
        text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0)
        text.erase(text.size() - suffix.size());
    return text;
}

} // namespace

ChannelValues::ChannelValues() : scratch_(std::make_unique<EcuData>()) {}

const std::vector<std::string>& ChannelValues::decode(const uint8_t* reply, int family,
                                                      char decimalSymbol) {
    values_.clear();
    const decode::FamilyLayout* layout = decode::familyLayout(family);
    if (!layout) return values_;
    uint8_t buffer[kReplyBufferSize] = {};
    std::copy(reply, reply + kGoodReplySize, buffer);
    NoLinkEvents events; // the readout labels are not needed here
    DecodeReply(buffer, family, decimalSymbol, *scratch_, events);
    const ChannelStore& store = scratch_->channels;
    for (int k = 0; k < layout->rowCount; ++k) {
        const decode::ChannelRule& row = layout->rows[k];
        switch (row.rule) {
        case decode::Rule::YesNo:
        case decode::Rule::NoYes:
            values_.push_back(store.text(family, k) == "Да" ? "1" : "0");
            break;
        case decode::Rule::BitGroup:
        case decode::Rule::ErrorGroup: {
            int byte = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (store.bitText(family, k, bit) == "1") byte |= 1 << bit;
            values_.push_back(std::to_string(byte));
            break;
        }
        default:
            values_.push_back(withoutUnit(store.text(family, k), row.unit));
            break;
        }
    }
    return values_;
}
