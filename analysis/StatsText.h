#pragma once
// A span's figures as the analysis window lists them, one line per channel:
// "FREQ, об/мин  мин 800  макс 3000  сред 1 512,4  СКО 23,1  опросов 120 / нет ответа 2",
// yes/no channels with their shares, bit channels with the share of each bit.
#include <string>

#include "analysis/AnalysisChannels.h"
#include "analysis/DriveComparison.h"
#include "analysis/SpanStatistics.h"

namespace analysis {

// A number with the channel's decimals (one more for means and deviations).
std::string FigureText(double value, int decimals, char decimalSymbol);
// "12,5 с", "3 мин 20 с", "1 ч 02 мин".
std::string DurationText(double ms, char decimalSymbol);
std::string StatsLine(const Channel& channel, const ChannelStats& stats, char decimalSymbol);
// Second minus first: "мин +12  макс -3  сред +4,2  СКО +0,1".
std::string DiffLine(const Channel& channel, const StatsSideBySide& both, char decimalSymbol);

} // namespace analysis
