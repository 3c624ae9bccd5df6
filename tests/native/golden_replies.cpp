// Every channel, readout label, bit group and trouble-code byte of ECU families
// 1..4 for a handful of crafted replies, against the golden files under
// tests/golden (worked out from the decoding tables by tools/oracle/golden.py,
// not from this program's output).
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "state/MainState.h"
#include "link/ReplyDecoder.h"

namespace {

constexpr int kFamilies = 4;
constexpr int kMaxChannels = 55;
constexpr int kLabels = 14;
// Written into everything before decoding, so that "not written" can be told apart.
constexpr float kUnwrittenValue = -999.0f;
const char* const kUnwrittenText = "<unwritten>";
constexpr uint8_t kUnwrittenErrorByte = 0xEE;
constexpr int32_t kUnwrittenRaw = -1;

// What the decoder left after one reply, channels of all four families.
struct Decoded {
    std::string text[kFamilies + 1][kMaxChannels];
    float value[kFamilies + 1][kMaxChannels] = {};
    std::string bitTexts[kFamilies + 1][kMaxChannels][8];
    bool bitFlags[kFamilies + 1][kMaxChannels][8] = {};
    std::string label[kLabels + 1];
    int labelWrites[kLabels + 1] = {};
    ErrorCodeSnapshot errors;
    int32_t idleRaw = 0;
    int32_t airFuelRaw = 0;
};

struct LabelSink : NoLinkEvents {
    Decoded* out;
    explicit LabelSink(Decoded* d) : out(d) {}
    void setReadout(int param, const std::string& text) override {
        if (param < 1 || param > kLabels) return;
        out->label[param] = text;
        ++out->labelWrites[param];
    }
};

// The one place that drives the program's decoder and reads its outputs back.
std::unique_ptr<Decoded> decodeWithProgram(int family, const std::vector<uint8_t>& bytes) {
    auto out = std::make_unique<Decoded>();
    auto state = std::make_unique<MainState>();
    ChannelStore& store = state->ecu.channels;
    for (int f = 1; f <= kFamilies; ++f)
        for (int k = 0; k < ChannelStore::channelCount(f); ++k) {
            store.setText(f, k, kUnwrittenText);
            store.setValue(f, k, kUnwrittenValue);
            for (int j = 0; j < 8; ++j)
                store.setBitText(f, k, j, kUnwrittenText);
        }
    for (int k = 1; k <= 4; ++k)
        state->ecu.errors.storeGroup(k, kUnwrittenErrorByte);
    state->ecu.ecuIdleRaw = kUnwrittenRaw;
    state->ecu.ecuAirFuelRaw = kUnwrittenRaw;
    state->selection.decimalSeparator = ',';
    state->selection.ecuFamily = family;

    uint8_t reply[kReplyBufferSize] = {};
    for (size_t i = 0; i < bytes.size() && i < sizeof reply; ++i)
        reply[i] = bytes[i];
    LabelSink sink(out.get());
    DecodeReply(reply, state->selection.ecuFamily.load(), state->selection.decimalSeparator.load(),
                state->ecu, sink);

    for (int f = 1; f <= kFamilies; ++f)
        for (int k = 0; k < ChannelStore::channelCount(f); ++k) {
            out->value[f][k] = store.value(f, k);
            if (ChannelStore::isBitGroup(f, k)) {
                for (int j = 0; j < 8; ++j) {
                    out->bitTexts[f][k][j] = store.bitText(f, k, j);
                    out->bitFlags[f][k][j] = store.bitFlag(f, k, j);
                }
            } else {
                out->text[f][k] = store.text(f, k);
            }
        }
    out->errors = state->ecu.errors.snapshot();
    out->idleRaw = state->ecu.ecuIdleRaw.load();
    out->airFuelRaw = state->ecu.ecuAirFuelRaw.load();
    return out;
}

// ---- The golden files ----------------------------------------------------

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    return fields;
}

// "1 0 1 ..." -> the eight words.
std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string w;
    while (in >> w)
        out.push_back(w);
    return out;
}

struct Golden {
    std::string path;
    int family = 0;
    std::string reply;
    std::vector<uint8_t> bytes;
    std::vector<std::vector<std::string>> records;
};

Golden readGolden(const std::string& path) {
    Golden g;
    g.path = path;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        auto fields = splitTabs(line);
        if (fields[0] == "family" && fields.size() == 2) {
            g.family = std::atoi(fields[1].c_str());
        } else if (fields[0] == "reply" && fields.size() == 2) {
            g.reply = fields[1];
        } else if (fields[0] == "bytes" && fields.size() == 2) {
            for (const auto& w : words(fields[1]))
                g.bytes.push_back(static_cast<uint8_t>(std::strtoul(w.c_str(), nullptr, 16)));
        } else {
            g.records.push_back(fields);
        }
    }
    return g;
}

const char* const kReplies[] = {"zeros", "ones", "ramp", "alternating", "idle", "part_load_3000"};

std::string goldenPath(int family, const std::string& reply) {
    return std::string(MOTOSKOP_SOURCE_DIR) + "/tests/golden/family" + std::to_string(family) +
           "/" + reply + ".txt";
}

std::string valueText(float v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", static_cast<double>(v));
    return buffer;
}

// "-" means the decoder must not have touched the value.
void expectValue(const std::string& where, const std::string& expected, float actual) {
    if (expected == "-") {
        EXPECT_EQ(actual, kUnwrittenValue)
            << where << ": value written (" << valueText(actual) << "), expected it left alone";
        return;
    }
    const double want = std::strtod(expected.c_str(), nullptr);
    EXPECT_NEAR(actual, want, 0.001)
        << where << ": chart value expected " << expected << ", got " << valueText(actual);
}

std::string joinBits(const std::string (&texts)[8]) {
    std::string s;
    for (int j = 0; j < 8; ++j)
        s += (j ? " " : "") + texts[j];
    return s;
}

std::string joinFlags(const bool (&flags)[8]) {
    std::string s;
    for (int j = 0; j < 8; ++j)
        s += std::string(j ? " " : "") + (flags[j] ? "1" : "0");
    return s;
}

class GoldenReplies : public ::testing::TestWithParam<int> {};

TEST_P(GoldenReplies, EveryChannelLabelAndCodeByteAsTheTablesGiveThem) {
    const int family = GetParam();
    for (const char* replyName : kReplies) {
        const Golden g = readGolden(goldenPath(family, replyName));
        ASSERT_EQ(g.family, family) << "missing or broken golden file " << g.path;
        ASSERT_EQ(g.bytes.size(), 68u) << g.path;
        const std::unique_ptr<Decoded> d = decodeWithProgram(family, g.bytes);
        const std::string at = "family " + std::to_string(family) + ", reply " + g.reply;

        int channels = 0, labels = 0, groups = 0;
        for (const auto& r : g.records) {
            const std::string& kind = r[0];
            if (kind == "channel" && r.size() == 5) {
                const int k = std::atoi(r[1].c_str());
                const std::string where = at + ", channel " + r[1] + " " + r[2];
                EXPECT_EQ(d->text[family][k], r[3]) << where << ": text";
                expectValue(where, r[4], d->value[family][k]);
                ++channels;
            } else if (kind == "bits" && r.size() == 6) {
                const int k = std::atoi(r[1].c_str());
                const std::string where = at + ", channel " + r[1] + " " + r[2];
                EXPECT_EQ(joinBits(d->bitTexts[family][k]), r[3])
                    << where << ": bit texts, bit 0 first";
                if (r[4] != "-") {
                    EXPECT_EQ(joinFlags(d->bitFlags[family][k]), r[4])
                        << where << ": bit flags, bit 0 first";
                }
                expectValue(where, r[5], d->value[family][k]);
                ++channels;
            } else if (kind == "label" && r.size() == 3) {
                const int n = std::atoi(r[1].c_str());
                EXPECT_EQ(d->label[n], r[2]) << at << ", label Param_" << n;
                EXPECT_EQ(d->labelWrites[n], 1) << at << ", label Param_" << n << " writes";
                ++labels;
            } else if (kind == "error" && r.size() == 4) {
                const int k = std::atoi(r[1].c_str());
                const int byte = d->errors.bytes[k];
                if (r[2] == "-") {
                    EXPECT_EQ(byte, kUnwrittenErrorByte)
                        << at << ", trouble-code group " << k << " written, expected it left alone";
                } else {
                    EXPECT_EQ(byte, static_cast<int>(std::strtoul(r[2].c_str(), nullptr, 16)))
                        << at << ", trouble-code byte " << k;
                    std::string bits;
                    for (int j = 0; j < 8; ++j)
                        bits += std::string(j ? " " : "") + (d->errors.bits[k][j] ? "1" : "0");
                    EXPECT_EQ(bits, r[3]) << at << ", trouble-code bits " << k << ", bit 0 first";
                }
                ++groups;
            } else if (kind == "idle" && r.size() == 2) {
                EXPECT_EQ(d->idleRaw, r[1] == "-" ? kUnwrittenRaw : std::atoi(r[1].c_str()))
                    << at << ", ecuIdleRaw";
            } else if (kind == "airfuel" && r.size() == 2) {
                EXPECT_EQ(d->airFuelRaw, r[1] == "-" ? kUnwrittenRaw : std::atoi(r[1].c_str()))
                    << at << ", ecuAirFuelRaw";
            } else {
                ADD_FAILURE() << g.path << ": unreadable record " << kind;
            }
        }
        EXPECT_EQ(channels, ChannelStore::channelCount(family)) << g.path;
        EXPECT_EQ(labels, kLabels) << g.path;
        EXPECT_EQ(groups, 4) << g.path;

        // The channels of the other families keep what they held.
        for (int f = 1; f <= kFamilies; ++f) {
            if (f == family) continue;
            for (int k = 0; k < ChannelStore::channelCount(f); ++k) {
                EXPECT_EQ(d->value[f][k], kUnwrittenValue)
                    << at << ": family " << f << " channel " << k << " value written";
                if (!ChannelStore::isBitGroup(f, k)) {
                    EXPECT_EQ(d->text[f][k], kUnwrittenText)
                        << at << ": family " << f << " channel " << k << " text written";
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Families, GoldenReplies, ::testing::Values(1, 2, 3, 4),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Family" + std::to_string(info.param);
                         });

} // namespace
