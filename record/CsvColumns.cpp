#include "record/CsvColumns.h"

#include "ecu/DecodeTables.h"
#include "settings/ParameterCatalogue.h"

std::string CaptionMnemonic(const char* caption) {
    if (!caption) return std::string();
    std::string text = caption;
    std::size_t start = 0;
    while (start < text.size() && text[start] >= '0' && text[start] <= '9')
        ++start;
    while (start < text.size() && text[start] == ' ')
        ++start;
    std::size_t end = text.find('\t', start);
    const std::size_t gap = text.find("   ", start);
    if (gap < end) end = gap;
    if (end == std::string::npos) end = text.size();
    return text.substr(start, end - start);
}

std::vector<std::string> ChannelHeadings(int family) {
    std::vector<std::string> headings;
    const decode::FamilyLayout* layout = decode::familyLayout(family);
    if (!layout) return headings;
    for (int k = 0; k < layout->rowCount; ++k) {
        std::string unit = layout->rows[k].unit;
        if (!unit.empty() && unit[0] == ' ') unit.erase(0, 1);
        std::string heading = CaptionMnemonic(CatalogueCaption(family, k));
        if (!unit.empty()) heading += " (" + unit + ")";
        headings.push_back(heading);
    }
    return headings;
}
