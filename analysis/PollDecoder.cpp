#include "analysis/PollDecoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ecu/DecodeTables.h"
#include "analysis/DecimalText.h"

namespace analysis {
namespace {

constexpr char kSeparator = '.'; // the decoder prints with it; ParseDecimal reads it back
constexpr float kNotANumber = NAN;

bool readsTwoBytes(decode::Rule rule) {
    return rule == decode::Rule::Injection || rule == decode::Rule::Ignition ||
           rule == decode::Rule::RunTime || rule == decode::Rule::PromId;
}

float numberOf(const std::string& text) {
    double v = 0;
    return ParseDecimal(text, v) ? static_cast<float>(v) : kNotANumber;
}

// "hh:mm:ss" as seconds.
float secondsOf(const std::string& text) {
    int h = 0, m = 0, s = 0;
    if (std::sscanf(text.c_str(), "%d:%d:%d", &h, &m, &s) != 3) return kNotANumber;
    return static_cast<float>(h * 3600 + m * 60 + s);
}

// "0x1A0B" as a number.
float hexOf(const std::string& text) {
    if (text.size() < 3 || text.compare(0, 2, "0x") != 0) return kNotANumber;
    char* end = nullptr;
    const unsigned long v = std::strtoul(text.c_str() + 2, &end, 16);
    return *end == '\0' ? static_cast<float>(v) : kNotANumber;
}

} // namespace

PollDecoder::PollDecoder(int family) : family_(family), layout_(decode::familyLayout(family)) {
    if (!layout_) return;
    memo_.resize(layout_->rowCount);
    for (int k = 0; k < layout_->rowCount; ++k) {
        Memo& m = memo_[k];
        m.twoBytes = readsTwoBytes(layout_->rows[k].rule);
        const std::size_t keys = m.twoBytes ? 65536 : 256;
        m.values.assign(keys, 0.0f);
        m.known.assign(keys, 0);
    }
}

PollDecoder::~PollDecoder() = default;

int PollDecoder::channelCount() const {
    return layout_ ? layout_->rowCount : 0;
}

std::size_t PollDecoder::keyOf(int k, const uint8_t* reply) const {
    const decode::ChannelRule& row = layout_->rows[k];
    return memo_[k].twoBytes ? reply[row.byte] * 256u + reply[row.other] : reply[row.byte];
}

void PollDecoder::decodeDirectly(const uint8_t* reply, float* out) {
    if (!layout_) return;
    // The CSV export's texts: yes/no as 1/0, bit groups as their byte, numbers without units.
    const std::vector<std::string>& texts = texts_.decode(reply, family_, kSeparator);
    for (int k = 0; k < layout_->rowCount; ++k) {
        const std::string& text = texts[static_cast<std::size_t>(k)];
        switch (layout_->rows[k].rule) {
        case decode::Rule::RunTime:
            out[k] = secondsOf(text);
            break;
        case decode::Rule::PromId:
            out[k] = hexOf(text);
            break;
        default:
            out[k] = numberOf(text);
            break;
        }
    }
}

void PollDecoder::decode(const uint8_t* reply, float* out) {
    if (!layout_) return;
    bool allKnown = true;
    for (int k = 0; k < layout_->rowCount && allKnown; ++k)
        allKnown = memo_[k].known[keyOf(k, reply)] != 0;
    if (allKnown) {
        for (int k = 0; k < layout_->rowCount; ++k)
            out[k] = memo_[k].values[keyOf(k, reply)];
        return;
    }
    ++decoderRuns_;
    decodeDirectly(reply, out);
    for (int k = 0; k < layout_->rowCount; ++k) {
        const std::size_t key = keyOf(k, reply);
        memo_[k].values[key] = out[k];
        memo_[k].known[key] = 1;
    }
}

} // namespace analysis
