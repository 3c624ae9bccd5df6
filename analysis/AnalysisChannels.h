#pragma once
// The channels of an ECU family as the analysis shows them: the catalogue's own
// caption and mnemonic, the unit, how a lane draws the channel (a line, a yes/no
// band, eight bit bands) and its scale, read from the chart's scale labels.
#include <cstdint>
#include <string>
#include <vector>

namespace analysis {

enum class ChannelKind : uint8_t {
    Number, // a line: numbers, run time in seconds, PROM id as a number
    YesNo,  // a band: 1 for "Да", 0 for "Нет"
    Bits,   // eight bands: the byte of a bit group or an error byte
};

struct ChannelScale {
    std::string topText; // the chart's labels, as they read ("6400", "Да", "0xFF")
    std::string bottomText;
    double top = 1;    // the values the labels stand for
    double bottom = 0; // (top > bottom)
};

struct Channel {
    int index = 0; // catalogue row
    std::string caption; // the catalogue's text, "10   FREQ   Частота вращения коленвала."
    std::string mnemonic; // "FREQ"
    std::string unit;     // "об/мин", empty for none
    ChannelKind kind = ChannelKind::Number;
    int decimals = 0; // as the decoder prints it
    ChannelScale scale;
};

// One entry per catalogue row of a family with a decoder (1..4), else empty.
std::vector<Channel> FamilyChannels(int family);

// The catalogue row of the family whose mnemonic is this, or -1.
int FindChannel(int family, const std::string& mnemonic);

// The value a scale label stands for: "25,0", "0.00", "-90,0", "0xFF",
// "18:12:15" (seconds), "Да" (1), "Нет" (0). False for any other text.
bool ScaleLabelValue(const std::string& text, double& out);

} // namespace analysis
