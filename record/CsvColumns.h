#pragma once
// The channel columns of an ECU family as the CSV export heads them:
// "MNEMONIC (unit)" in catalogue order, "MNEMONIC" for a channel without a unit.
// The mnemonic comes from the catalogue caption, the unit from the decoding table.
#include <string>
#include <vector>

// The mnemonic of a caption: "12   INJ   Длительность ..." gives "INJ".
std::string CaptionMnemonic(const char* caption);

// One heading per channel of the family (empty for a family without a decoder).
std::vector<std::string> ChannelHeadings(int family);
