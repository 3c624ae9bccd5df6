#include "link/ReplyDecoder.h"

#include <cmath>
#include <cstdio>

#include "ecu/DecodeTables.h"
#include "link/FormatFixed.h"

namespace {

using decode::ChannelRule;
using decode::ChartSource;
using decode::FamilyLayout;
using decode::Rule;

const char* const kYes = "Да";
const char* const kNo = "Нет";

// One channel as read from the reply.
struct Reading {
    std::string number; // the text without its unit (what a readout label shows)
    float v = 0;        // the computed value, for general notation
    bool hasValue = false;
    float value = 0; // chart value
};

bool bitOf(uint8_t byte, int bit) {
    return ((byte >> bit) & 1) != 0;
}

std::string twoDigits(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

std::string hexByte(uint8_t byte) {
    char buffer[4];
    std::snprintf(buffer, sizeof buffer, "%02X", byte);
    return buffer;
}

// Whole numbers print as plain integers; anything else with 15 significant digits.
std::string generalNotation(float v, char decimalSeparator) {
    if (v == std::trunc(v) && std::fabs(v) < 1e15f)
        return std::to_string(static_cast<long long>(v));
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", static_cast<double>(v));
    std::string text = buffer;
    for (char& c : text)
        if (c == '.') c = decimalSeparator;
    return text;
}

float chartValue(const ChannelRule& row, float v, uint8_t b) {
    const decode::Chart& chart = row.chart;
    if (chart.capAt > 0 && v >= chart.capAt) return 100.0f;
    const double source = chart.source == ChartSource::Byte ? b : static_cast<double>(v);
    return static_cast<float>((source + chart.offset) * chart.scale);
}

void setNumber(Reading& r, const ChannelRule& row, float v, uint8_t b, char separator) {
    r.v = v;
    r.number = formatFixed(v, row.decimals, separator);
    r.hasValue = row.chart.source != ChartSource::None;
    if (r.hasValue) r.value = chartValue(row, v, b);
}

void setYesNo(Reading& r, bool yes) {
    r.number = yes ? kYes : kNo;
    r.hasValue = true;
    r.value = yes ? 100.0f : 0.0f;
}

// Reads one text-and-value row; bit and error groups are written elsewhere.
Reading readRow(const ChannelRule& row, const uint8_t* reply, char separator) {
    Reading r;
    const uint8_t b = reply[row.byte];
    const uint8_t b2 = reply[row.other];
    switch (row.rule) {
    case Rule::YesNo:
        setYesNo(r, bitOf(b, row.other));
        break;
    case Rule::NoYes:
        setYesNo(r, !bitOf(b, row.other));
        break;
    case Rule::Number:
        setNumber(r, row, static_cast<float>(b * row.scale + row.offset), b, separator);
        break;
    case Rule::Injection:
        setNumber(r, row, static_cast<float>(b * row.scale + b2 * row.scale2), b, separator);
        break;
    case Rule::Ignition: {
        const double advance = b2 * row.scale - (b > 127 ? 90.0 : 0.0);
        setNumber(r, row, static_cast<float>(advance), b2, separator);
        break;
    }
    case Rule::Throttle: {
        const float v = b <= 26 ? 0.0f : b >= 225 ? 100.0f : static_cast<float>((b - 26) * 0.5);
        setNumber(r, row, v, b, separator);
        break;
    }
    case Rule::Octane: {
        static const char* const kOctane[2][2] = {
            {"83", "87"},
            {"95", "91"}
        }; // [bit 7][bit 5]
        static const float kOctaneValue[2][2] = {
            {83.0f, 87.0f},
            {95.0f, 91.0f}
        };
        const int high = bitOf(b, 7), low = bitOf(b, 5);
        r.number = kOctane[high][low];
        r.hasValue = true;
        r.value = kOctaneValue[high][low];
        break;
    }
    case Rule::RunTime: {
        const int seconds = b * 256 + b2;
        const int h = seconds / 3600;
        const int m = seconds / 60 - 60 * h;
        const int s = seconds % 60;
        r.number = twoDigits(h) + ":" + twoDigits(m) + ":" + twoDigits(s);
        r.hasValue = true;
        r.value = chartValue(row, static_cast<float>(seconds), b);
        break;
    }
    case Rule::PromId:
        r.number = "0x" + hexByte(b) + hexByte(b2);
        break;
    case Rule::BitGroup:
    case Rule::ErrorGroup:
        break;
    }
    return r;
}

void decodeChannels(int family, const FamilyLayout& layout, const uint8_t* reply, char separator,
                    ChannelStore& store) {
    for (int k = 0; k < layout.rowCount; ++k) {
        const ChannelRule& row = layout.rows[k];
        const uint8_t b = reply[row.byte];
        if (row.rule == Rule::BitGroup || row.rule == Rule::ErrorGroup) {
            store.setBits(family, k, b);
            if (row.rule == Rule::BitGroup)
                store.setValue(family, k, static_cast<float>(b * row.chart.scale));
            continue;
        }
        const Reading r = readRow(row, reply, separator);
        store.setText(family, k, r.number + row.unit);
        if (r.hasValue) store.setValue(family, k, r.value);
    }
}

void decodeReadout(const FamilyLayout& layout, const uint8_t* reply, char separator,
                   LinkEvents& events) {
    for (int n = 1; n <= decode::kReadoutLabels; ++n) {
        const ChannelRule& row = layout.rows[layout.labels[n - 1]];
        const Reading r = readRow(row, reply, separator);
        events.setReadout(n, n == 1 ? generalNotation(r.v, separator) : r.number);
    }
}

} // namespace

void DecodeReply(const uint8_t* replyBuffer, int family, char separator, EcuData& ecu,
                 LinkEvents& events) {
    if (!replyBuffer) return;
    const FamilyLayout* layout = decode::familyLayout(family);
    if (!layout) return;

    decodeChannels(family, *layout, replyBuffer, separator, ecu.channels);
    decodeReadout(*layout, replyBuffer, separator, events);
    for (int k = 1; k <= layout->errorGroups; ++k)
        ecu.errors.storeGroup(k, replyBuffer[8 + k]);
    if (layout->idleRawByte) ecu.ecuIdleRaw.store(replyBuffer[layout->idleRawByte]);
    if (layout->airFuelByte) ecu.ecuAirFuelRaw.store(replyBuffer[layout->airFuelByte]);
}
