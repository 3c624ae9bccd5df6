#pragma once
// How each channel of an ECU family is read from the reply: one row per
// catalogue index, laid out like the family's decoding table. The rows are
// plain data; ReplyDecoder.cpp carries them out.
#include <cstdint>

namespace decode {

enum class Rule : uint8_t {
    YesNo,      // bit of byte: "Да"/100 when set, "Нет"/0 when clear
    NoYes,      // the same bit read inverted
    Number,     // v = b * scale + offset
    Injection,  // v = byte * scale + byte2 * scale2
    Ignition,   // v = byte2 * scale, minus 90 when byte > 127
    Throttle,   // v = 0 up to 26, (b - 26) * 0.5, 100 from 225
    Octane,     // bits 7 and 5 of byte: 83 / 87 / 91 / 95
    RunTime,    // byte * 256 + byte2 seconds as hh:mm:ss
    PromId,     // "0x" + byte + byte2 in hex
    BitGroup,   // bit texts (and flags where the channel has them), value b * 0.392
    ErrorGroup, // bit texts only
};

// The chart value: (source + offset) * scale, source being v or the raw byte;
// exactly 100 once v reaches capAt (when capAt > 0).
enum class ChartSource : uint8_t { None, Value, Byte };

struct Chart {
    ChartSource source = ChartSource::None;
    double scale = 0;
    double offset = 0;
    double capAt = 0;
};

constexpr Chart timesV(double scale) {
    return {ChartSource::Value, scale, 0, 0};
}
constexpr Chart plusVTimes(double offset, double scale) {
    return {ChartSource::Value, scale, offset, 0};
}
constexpr Chart asV() {
    return timesV(1.0);
}
constexpr Chart timesB(double scale) {
    return {ChartSource::Byte, scale, 0, 0};
}
constexpr Chart capped(Chart chart, double capAt) {
    return {chart.source, chart.scale, chart.offset, capAt};
}

struct ChannelRule {
    Rule rule;
    uint8_t byte;  // source byte (the sign byte of Ignition, the high byte of RunTime)
    uint8_t other; // bit number of YesNo/NoYes, second byte of two-byte rules
    double scale;
    double offset;
    double scale2;
    int decimals;
    const char* unit; // appended to the number with its leading blank
    Chart chart;
};

// Units as the ECU tables write them. Mixed alphabets are spelled out.
constexpr const char* kNoUnit = "";
constexpr const char* kKPa = " КПа";
constexpr const char* kRpm = " об/мин";
constexpr const char* kStep = " шаг";
constexpr const char* kMs = " \u043C"
                            "c"; // Cyrillic em, Latin c
constexpr const char* kCelsius = " \u00B0"
                                 "C";    // degree sign, Latin C
constexpr const char* kVolt = " \u0412"; // Cyrillic ve
constexpr const char* kVoltLatin = " v"; // Latin v
constexpr const char* kMillivolt = " мВ";
constexpr const char* kKmh = " км/час";
constexpr const char* kPercent = " %";
constexpr const char* kCrankDegree = " \u00B0ПКВ";

constexpr ChannelRule yesNo(int byte, int bit) {
    return {Rule::YesNo, uint8_t(byte), uint8_t(bit), 0, 0, 0, 0, kNoUnit, {}};
}
constexpr ChannelRule noYes(int byte, int bit) {
    return {Rule::NoYes, uint8_t(byte), uint8_t(bit), 0, 0, 0, 0, kNoUnit, {}};
}
constexpr ChannelRule number(int byte, double scale, double offset, int decimals, const char* unit,
                             Chart chart) {
    return {Rule::Number, uint8_t(byte), 0, scale, offset, 0, decimals, unit, chart};
}
constexpr ChannelRule injection(int byte, double scale, int byte2, double scale2, int decimals,
                                const char* unit, Chart chart) {
    return {Rule::Injection, uint8_t(byte), uint8_t(byte2), scale, 0,
            scale2,          decimals,      unit,           chart};
}
constexpr ChannelRule ignition(int signByte, int byte, double scale, int decimals, const char* unit,
                               Chart chart) {
    return {Rule::Ignition, uint8_t(signByte), uint8_t(byte), scale, 0, 0, decimals, unit, chart};
}
constexpr ChannelRule throttle(int byte, const char* unit) {
    return {Rule::Throttle, uint8_t(byte), 0, 0, 0, 0, 0, unit, asV()};
}
constexpr ChannelRule octane(int byte) {
    return {Rule::Octane, uint8_t(byte), 0, 0, 0, 0, 0, kNoUnit, {}};
}
constexpr ChannelRule runTime(int highByte, int lowByte, Chart chart) {
    return {Rule::RunTime, uint8_t(highByte), uint8_t(lowByte), 0, 0, 0, 0, kNoUnit, chart};
}
constexpr ChannelRule promId(int byte, int byte2) {
    return {Rule::PromId, uint8_t(byte), uint8_t(byte2), 0, 0, 0, 0, kNoUnit, {}};
}
constexpr ChannelRule bitGroup(int byte) {
    return {Rule::BitGroup, uint8_t(byte), 0, 0, 0, 0, 0, kNoUnit, timesB(0.392)};
}
constexpr ChannelRule errorGroup(int byte) {
    return {Rule::ErrorGroup, uint8_t(byte), 0, 0, 0, 0, 0, kNoUnit, {}};
}

constexpr int kReadoutLabels = 14;

struct FamilyLayout {
    const ChannelRule* rows;
    int rowCount;
    // Catalogue index shown by Param_1..Param_14 (Param_1 in general notation).
    int labels[kReadoutLabels];
    int errorGroups; // groups 1..n from bytes 9..8+n
    int idleRawByte; // 0: ecuIdleRaw not written
    int airFuelByte; // 0: ecuAirFuelRaw not written
};

// nullptr for a family without a decoder.
const FamilyLayout* familyLayout(int family);

const FamilyLayout& family1Layout();
const FamilyLayout& family2Layout();
const FamilyLayout& family3Layout();
const FamilyLayout& family4Layout();

} // namespace decode
