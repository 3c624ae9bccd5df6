#include "analysis/AnalysisChannels.h"

#include <cstdio>
#include <cstdlib>

#include "ecu/DecodeTables.h"
#include "live/ScaleLabels.h"
#include "record/CsvColumns.h"
#include "analysis/DecimalText.h"
#include "settings/ParameterCatalogue.h"

namespace analysis {
namespace {

ChannelKind kindOf(decode::Rule rule) {
    switch (rule) {
    case decode::Rule::YesNo:
    case decode::Rule::NoYes:
        return ChannelKind::YesNo;
    case decode::Rule::BitGroup:
    case decode::Rule::ErrorGroup:
        return ChannelKind::Bits;
    default:
        return ChannelKind::Number;
    }
}

// "18:12:15" in seconds.
bool clockValue(const std::string& text, double& out) {
    int h = 0, m = 0, s = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d:%d:%d%c", &h, &m, &s, &tail) != 3) return false;
    out = h * 3600.0 + m * 60.0 + s;
    return true;
}

} // namespace

bool ScaleLabelValue(const std::string& text, double& out) {
    if (text == "Да") {
        out = 1;
        return true;
    }
    if (text == "Нет") {
        out = 0;
        return true;
    }
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        char* end = nullptr;
        const unsigned long v = std::strtoul(text.c_str() + 2, &end, 16);
        if (*end != '\0') return false;
        out = static_cast<double>(v);
        return true;
    }
    if (text.find(':') != std::string::npos) return clockValue(text, out);
    return ParseDecimal(text, out);
}

std::vector<Channel> FamilyChannels(int family) {
    std::vector<Channel> channels;
    const decode::FamilyLayout* layout = decode::familyLayout(family);
    if (!layout) return channels;
    for (int k = 0; k < layout->rowCount; ++k) {
        const decode::ChannelRule& row = layout->rows[k];
        Channel c;
        c.index = k;
        const char* caption = CatalogueCaption(family, k);
        c.caption = caption ? caption : "";
        c.mnemonic = CaptionMnemonic(caption);
        c.unit = row.unit;
        if (!c.unit.empty() && c.unit[0] == ' ') c.unit.erase(0, 1);
        c.kind = kindOf(row.rule);
        c.decimals = row.decimals;
        ScaleLabelPair labels{};
        double top = 0, bottom = 0;
        if (FindScaleLabels(family, k, labels) && ScaleLabelValue(labels.top, top) &&
            ScaleLabelValue(labels.bottom, bottom) && top > bottom) {
            c.scale = {labels.top, labels.bottom, top, bottom};
        } else if (c.kind == ChannelKind::Bits) {
            c.scale = {"0xFF", "0x00", 255, 0};
        } else if (c.kind == ChannelKind::YesNo) {
            c.scale = {"Да", "Нет", 1, 0};
        }
        channels.push_back(c);
    }
    return channels;
}

int FindChannel(int family, const std::string& mnemonic) {
    const int rows = CatalogueSize(family);
    for (int k = 0; k < rows; ++k)
        if (CaptionMnemonic(CatalogueCaption(family, k)) == mnemonic) return k;
    return -1;
}

} // namespace analysis
