#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "state/MainState.h"
#include "link/ReplyDecoder.h"

namespace {

// Units spelled byte by byte, so a Latin letter cannot pass for a Cyrillic one.
const std::string kCelsius = " \xC2\xB0"
                             "C"; // degree sign, Latin C
const std::string kMs = " \xD0\xBC"
                        "c";                          // Cyrillic em, Latin c
const std::string kVolt = " \xD0\x92";                // Cyrillic ve
const std::string kKPa = " \xD0\x9A\xD0\x9F\xD0\xB0"; // Cyrillic KPa
const std::string kCrank = " \xC2\xB0\xD0\x9F\xD0\x9A\xD0\x92";
const std::string kRpm = " об/мин";
const std::string kYes = "Да";
const std::string kNo = "Нет";

struct Readouts : NoLinkEvents {
    std::vector<std::pair<int, std::string>> calls;
    void setReadout(int param, const std::string& text) override {
        calls.emplace_back(param, text);
    }
    std::string last(int param) const {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->first == param) return it->second;
        return "<none>";
    }
};

class Decode : public ::testing::Test {
  protected:
    std::unique_ptr<MainState> state = std::make_unique<MainState>();
    Readouts events;
    uint8_t reply[kReplyBufferSize] = {};

    struct At {
        int n;
        uint8_t b;
    };
    // Sets the given reply bytes (the others keep their contents) and decodes.
    template <typename... Bytes> void run(int family, Bytes... bytes) {
        ((reply[bytes.n] = bytes.b), ...);
        state->selection.ecuFamily = family;
        events.calls.clear();
        DecodeReply(reply, state->selection.ecuFamily.load(),
                    state->selection.decimalSeparator.load(), state->ecu, events);
    }
    std::string text(int family, int k) { return state->ecu.channels.text(family, k); }
    float value(int family, int k) { return state->ecu.channels.value(family, k); }
    std::string bits(int family, int k) { // bit 7 first
        std::string s;
        for (int j = 7; j >= 0; --j)
            s += state->ecu.channels.bitText(family, k, j);
        return s;
    }
};

} // namespace

TEST_F(Decode, Family1ZeroBuffer) {
    run(1);
    EXPECT_EQ(text(1, 27), "-40" + kCelsius);
    EXPECT_EQ(text(1, 23), "-40" + kCelsius);
    EXPECT_EQ(text(1, 25), "0 %");
    EXPECT_EQ(text(1, 9), "0" + kRpm);
    EXPECT_EQ(text(1, 30), "0,0" + kCrank);
    EXPECT_FLOAT_EQ(value(1, 30), 49.5f);
    EXPECT_EQ(text(1, 3), "10,4" + kKPa);
    EXPECT_EQ(text(1, 16), "10,4" + kKPa);
    EXPECT_EQ(text(1, 11), "0,00" + kMs);
    EXPECT_EQ(text(1, 31), "0,00" + kVolt);
    for (int k : {0, 1, 6, 7, 15, 21, 24}) {
        EXPECT_EQ(text(1, k), kNo) << k;
        EXPECT_EQ(value(1, k), 0.0f) << k;
    }
    EXPECT_EQ(text(1, 19), kYes);
    EXPECT_EQ(value(1, 19), 100.0f);
    EXPECT_EQ(text(1, 18), "83");
    EXPECT_EQ(text(1, 26), "00:00:00");
    EXPECT_EQ(text(1, 20), "0x0000");
    EXPECT_EQ(bits(1, 32), "00000000");

    ASSERT_EQ(events.calls.size(), 14u);
    for (int n = 1; n <= 14; ++n)
        EXPECT_EQ(events.calls[n - 1].first, n);
    const char* labels[] = {"0",   "0,00", "10,4", "0,0", "0", "0,00", "0,0",
                            "-40", "-40",  "0",    "0",   "0", "0,0",  "0x0000"};
    for (int n = 1; n <= 14; ++n)
        EXPECT_EQ(events.calls[n - 1].second, labels[n - 1]) << n;
}

TEST_F(Decode, Family1IgnitionAdvanceSpansBothSigns) {
    run(1, At{39, 127}, At{40, 255});
    EXPECT_EQ(text(1, 30), "90,0" + kCrank);
    EXPECT_NEAR(value(1, 30), 98.994f, 1e-3);
    EXPECT_EQ(events.last(7), "90,0");
    run(1, At{39, 128}, At{40, 0});
    EXPECT_EQ(text(1, 30), "-90,0" + kCrank);
    EXPECT_EQ(value(1, 30), 0.0f);
    EXPECT_EQ(events.last(7), "-90,0");
}

TEST_F(Decode, Family1ChartCaps) {
    run(1, At{25, 34});
    EXPECT_NEAR(value(1, 4), 97.138f, 1e-3);
    EXPECT_EQ(text(1, 4), "34");
    run(1, At{25, 35});
    EXPECT_EQ(value(1, 4), 100.0f);
    run(1, At{41, 16}, At{42, 160});
    EXPECT_EQ(text(1, 11), "64,94" + kMs);
    EXPECT_NEAR(value(1, 11), 99.88f, 1e-2);
    EXPECT_EQ(events.last(2), "64,94");
    run(1, At{41, 17}, At{42, 0});
    EXPECT_EQ(text(1, 11), "66,41" + kMs);
    EXPECT_EQ(value(1, 11), 100.0f);
}

TEST_F(Decode, Family1TemperaturesAndThrottle) {
    run(1, At{11, 53});
    EXPECT_EQ(text(1, 27), "0" + kCelsius);
    EXPECT_EQ(events.last(8), "0");
    run(1, At{11, 255}, At{14, 255});
    EXPECT_EQ(text(1, 27), "151" + kCelsius);
    EXPECT_NEAR(value(1, 27), 99.32f, 1e-2);
    EXPECT_EQ(text(1, 25), "100 %");
    EXPECT_NEAR(value(1, 25), 99.985f, 1e-3);
    EXPECT_EQ(events.last(5), "100");
}

TEST_F(Decode, Family1RunningTime) {
    run(1, At{45, 0x0E}, At{46, 0x0D});
    EXPECT_EQ(text(1, 26), "00:59:57");
    run(1, At{45, 0x0E}, At{46, 0x10});
    EXPECT_EQ(text(1, 26), "01:00:00");
    EXPECT_NEAR(value(1, 26), 5.4f, 1e-4);
    run(1, At{45, 0x0E}, At{46, 0x8D}); // 3725
    EXPECT_EQ(text(1, 26), "01:02:05");
    run(1, At{45, 0xFF}, At{46, 0xFF});
    EXPECT_EQ(text(1, 26), "18:12:15");
}

TEST_F(Decode, Family1StatusByteAndItsDerivedChannels) {
    run(1, At{61, 0xA5});
    EXPECT_EQ(bits(1, 8), "10100101");
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(state->ecu.channels.bitFlag(1, 8, j), ((0xA5 >> j) & 1) != 0);
    EXPECT_NEAR(value(1, 8), 0xA5 * 0.392f, 1e-3);
    EXPECT_EQ(text(1, 0), kYes);
    EXPECT_EQ(text(1, 7), kNo);
    EXPECT_EQ(text(1, 19), kNo);
    EXPECT_EQ(value(1, 19), 0.0f);
    EXPECT_EQ(text(1, 18), "91");
    EXPECT_EQ(value(1, 18), 91.0f);
    run(1, At{61, 0x80});
    EXPECT_EQ(text(1, 18), "95");
    run(1, At{61, 0x20});
    EXPECT_EQ(text(1, 18), "87");
}

TEST_F(Decode, Family1IdentityCodesAndRawValues) {
    state->ecu.channels.setValue(1, 20, 7.0f);
    run(1, At{7, 0x1A}, At{8, 0x0B}, At{9, 0x81}, At{10, 0x02}, At{11, 0x55}, At{30, 0x7B},
        At{15, 32});
    EXPECT_EQ(text(1, 20), "0x1A0B");
    EXPECT_EQ(events.last(14), "0x1A0B");
    EXPECT_EQ(value(1, 20), 7.0f); // PROM id never writes a value
    EXPECT_EQ(events.last(1), "800");
    EXPECT_EQ(bits(1, 32), "10000001");
    EXPECT_EQ(bits(1, 33), "00000010");
    ErrorCodeSnapshot codes = state->ecu.errors.snapshot();
    EXPECT_EQ(codes.bytes[1], 0x81);
    EXPECT_EQ(codes.bits[1][7], 1);
    EXPECT_EQ(codes.bytes[2], 0x02);
    EXPECT_EQ(codes.bytes[3], 0); // group 3 is not family 1's
    EXPECT_EQ(state->ecu.ecuIdleRaw.load(), 0x7B);
    EXPECT_EQ(text(1, 13), "769" + kRpm); // 123 * 6.25 = 768.75
}

TEST_F(Decode, DecimalSeparatorFollowsTheLocale) {
    state->selection.decimalSeparator = '.';
    run(1, At{37, 125});
    EXPECT_EQ(text(1, 28), "12.5" + kVolt);
    EXPECT_EQ(events.last(13), "12.5");
}

TEST_F(Decode, Family2Differences) {
    run(2, At{59, 0x03}, At{28, 100}, At{13, 50}, At{14, 255}, At{30, 10});
    EXPECT_EQ(text(2, 15), kYes); // JOOP bit 0
    EXPECT_EQ(text(2, 21), kYes); // RICH bit 1
    EXPECT_EQ(text(2, 23), "100 шаг");
    EXPECT_NEAR(value(2, 23), 39.2f, 1e-4);
    EXPECT_EQ(text(2, 32), "1,00 v");
    EXPECT_EQ(text(2, 26), "100 %");
    EXPECT_EQ(events.last(5), "100");
    EXPECT_EQ(events.last(6), "1,00");
    EXPECT_EQ(state->ecu.ecuIdleRaw.load(), 0); // family 1 only
    // Family 1's RICH bit means nothing here.
    run(2, At{59, 0x40});
    EXPECT_EQ(text(2, 15), kNo);
    EXPECT_EQ(text(2, 21), kNo);
}

TEST_F(Decode, Family3Differences) {
    run(3);
    EXPECT_EQ(text(3, 18), kYes); // PARK/N
    EXPECT_EQ(text(3, 22), kYes); // Steer
    for (int k : {0, 1, 6, 7, 15, 20, 24})
        EXPECT_EQ(text(3, k), kNo) << k;
    EXPECT_EQ(text(3, 19), "0x0000");

    run(3, At{29, 255}, At{14, 100}, At{16, 40}, At{11, 0x44}, At{61, 0x85}, At{63, 0x81});
    EXPECT_EQ(text(3, 5), "3188" + kRpm);
    EXPECT_NEAR(value(3, 5), 99.96f, 1e-3);
    EXPECT_EQ(text(3, 31), "2,00 v");
    EXPECT_EQ(events.last(1), "1000");
    EXPECT_EQ(bits(3, 34), "01000100");
    EXPECT_EQ(state->ecu.errors.snapshot().bytes[3], 0x44);
    EXPECT_EQ(text(3, 0), kYes);  // bit 7 of 61
    EXPECT_EQ(text(3, 18), kNo);  // bit 0 of 61 inverted
    EXPECT_EQ(text(3, 22), kNo);  // bit 2 of 61 inverted
    EXPECT_EQ(text(3, 6), kYes);  // bit 0 of 63
    EXPECT_EQ(text(3, 24), kYes); // bit 7 of 63
}

TEST_F(Decode, Family4ThrottleAndSensorVoltageShareByte18) {
    const struct {
        uint8_t b;
        const char* thr;
        const char* uthr;
    } cases[] = {
        {26,  "0 %",   "0,52"},
        {27,  "1 %",   "0,54"},
        {224, "99 %",  "4,48"},
        {225, "100 %", "4,50"}
    };
    for (auto& c : cases) {
        run(4, At{18, c.b});
        EXPECT_EQ(text(4, 40), c.thr) << int(c.b);
        EXPECT_EQ(text(4, 45), c.uthr + kVolt) << int(c.b);
        EXPECT_EQ(events.last(6), c.uthr);
    }
    run(4, At{18, 27});
    EXPECT_EQ(value(4, 40), 0.5f);
    EXPECT_EQ(events.last(5), "1");
}

TEST_F(Decode, Family4AirConditioningPressure) {
    run(4, At{23, 9});
    EXPECT_EQ(text(4, 1), "-13" + kKPa);
    run(4, At{23, 10});
    EXPECT_EQ(text(4, 1), "0" + kKPa);
    run(4, At{23, 255});
    EXPECT_EQ(text(4, 1), "3141" + kKPa);
    EXPECT_NEAR(value(4, 1), 99.96f, 1e-3);
}

TEST_F(Decode, Family4ZeroBufferAndOwnOutputs) {
    run(4);
    EXPECT_EQ(text(4, 29), "10,0" + kKPa);
    EXPECT_EQ(text(4, 6), "10,0" + kKPa);
    EXPECT_EQ(events.last(3), "10,0");
    EXPECT_EQ(text(4, 1), "-128" + kKPa);
    EXPECT_EQ(text(4, 40), "0 %");
    EXPECT_EQ(text(4, 31), "83");
    for (int k : {0,  2,  3,  4,  7,  10, 11, 12, 13, 14, 18, 19, 20, 21,
                  24, 25, 28, 30, 32, 34, 35, 36, 46, 51, 52, 53, 54})
        EXPECT_EQ(text(4, k), kNo) << k;

    run(4, At{9, 1}, At{10, 2}, At{11, 3}, At{12, 0x80}, At{45, 147}, At{66, 0x21}, At{65, 0x01});
    ErrorCodeSnapshot codes = state->ecu.errors.snapshot();
    EXPECT_EQ(codes.bytes[4], 0x80);
    EXPECT_EQ(codes.bits[4][7], 1);
    EXPECT_EQ(bits(4, 50), "10000000");
    EXPECT_EQ(state->ecu.ecuAirFuelRaw.load(), 147);
    EXPECT_EQ(text(4, 5), "14,7");
    EXPECT_EQ(text(4, 32), kYes); // PARK/N not inverted here
    EXPECT_EQ(text(4, 0), kYes);
    EXPECT_EQ(text(4, 31), "87");
}

TEST_F(Decode, Family5WritesNothing) {
    run(1, At{11, 255});
    run(5, At{11, 0}, At{9, 0xFF});
    EXPECT_TRUE(events.calls.empty());
    EXPECT_EQ(state->ecu.errors.snapshot().bytes[1], 0);
    EXPECT_EQ(text(1, 27), "151" + kCelsius);
}

TEST_F(Decode, SwitchingFamiliesKeepsTheOtherFamilysChannels) {
    run(1, At{11, 255});
    run(2, At{11, 0});
    EXPECT_EQ(text(1, 27), "151" + kCelsius);
    EXPECT_NEAR(value(1, 27), 99.32f, 1e-2);
    EXPECT_EQ(text(2, 28), "-40" + kCelsius);
    run(1, At{11, 53});
    EXPECT_EQ(text(2, 28), "-40" + kCelsius);
    EXPECT_EQ(value(2, 28), 0.0f);
    EXPECT_EQ(text(4, 41), "");
}
