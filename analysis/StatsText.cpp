#include "analysis/StatsText.h"

#include <cmath>
#include <cstdio>

namespace analysis {

namespace {

constexpr double kMsPerMinute = 60000;
constexpr double kMsPerHour = 3600000;

std::string Percent(double share) {
    char text[16];
    std::snprintf(text, sizeof text, "%.0f %%", share * 100);
    return text;
}

std::string Signed(double value, int decimals, char decimalSymbol) {
    const std::string text = FigureText(value, decimals, decimalSymbol);
    return value > 0 && text.find_first_not_of("0,.") != std::string::npos ? "+" + text : text;
}

} // namespace

std::string FigureText(double value, int decimals, char decimalSymbol) {
    if (!std::isfinite(value)) return "—";
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals < 0 ? 0 : decimals, value);
    std::string out = text;
    for (char& c : out)
        if (c == '.') c = decimalSymbol;
    if (out == "-0" || out.rfind("-0" + std::string(1, decimalSymbol), 0) == 0) {
        // "-0,0" reads as a fault where the value is only a hair below zero.
        bool allZero = true;
        for (std::size_t i = 1; i < out.size(); ++i)
            if (out[i] != '0' && out[i] != decimalSymbol) allZero = false;
        if (allZero) out.erase(0, 1);
    }
    return out;
}

std::string DurationText(double ms, char decimalSymbol) {
    if (ms < kMsPerMinute) return FigureText(ms / 1000, 1, decimalSymbol) + " с";
    char text[48];
    const long long seconds = static_cast<long long>(ms / 1000);
    if (ms < kMsPerHour)
        std::snprintf(text, sizeof text, "%lld мин %02lld с", seconds / 60, seconds % 60);
    else
        std::snprintf(text, sizeof text, "%lld ч %02lld мин", seconds / 3600, seconds / 60 % 60);
    return text;
}

std::string StatsLine(const Channel& channel, const ChannelStats& stats, char decimalSymbol) {
    std::string line = channel.mnemonic;
    if (!channel.unit.empty()) line += ", " + channel.unit;
    line += "   ";
    if (stats.values == 0) {
        line += "нет значений";
    } else if (channel.kind == ChannelKind::YesNo) {
        line += "«Да» " + Percent(stats.yesShare) + "  «Нет» " + Percent(stats.noShare);
    } else if (channel.kind == ChannelKind::Bits) {
        line += "биты 0..7:";
        for (double share : stats.bitShare)
            line += " " + Percent(share);
    } else {
        const int d = channel.decimals;
        line += "мин " + FigureText(stats.min, d, decimalSymbol) + "  макс " +
                FigureText(stats.max, d, decimalSymbol) + "  сред " +
                FigureText(stats.mean, d + 1, decimalSymbol) + "  СКО " +
                FigureText(stats.deviation, d + 1, decimalSymbol);
    }
    line += "   опросов " + std::to_string(stats.goodPolls) + ", без ответа " +
            std::to_string(stats.failedPolls);
    return line;
}

std::string DiffLine(const Channel& channel, const StatsSideBySide& both, char decimalSymbol) {
    const int d = channel.decimals;
    if (channel.kind == ChannelKind::YesNo)
        return "«Да» " + Signed(both.yesShareDiff * 100, 0, decimalSymbol) + " %";
    if (channel.kind == ChannelKind::Bits) return "—";
    return "мин " + Signed(both.minDiff, d, decimalSymbol) + "  макс " +
           Signed(both.maxDiff, d, decimalSymbol) + "  сред " +
           Signed(both.meanDiff, d + 1, decimalSymbol) + "  СКО " +
           Signed(both.deviationDiff, d + 1, decimalSymbol);
}

} // namespace analysis
