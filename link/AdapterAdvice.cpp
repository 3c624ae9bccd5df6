#include "link/AdapterAdvice.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

// An FTDI driver's default latency timer, and the most we advise for polling a K-line: the
// driver holds received bytes up to the timer before it hands them on, each poll waits that
// long for its last bytes (FTDI AN232B-04: default 16 ms, 1..255 ms).
constexpr int kFtdiDefaultLatencyMs = 16;
constexpr int kAdvisedLatencyMaxMs = 2;

struct ChipRow {
    UsbChip chip;
    int vendor; // USB vendor id
    const char* name;
    const char* at8200; // what the chip makes of 8200 baud
};

// clang-format off
const ChipRow kChips[] = {
    // FTDI (vendor 0403, e.g. FT232R 6001): 3 MHz / (n + k/8); 3 000 000 / 8200 = 365.85, the
    // nearest divisor 365.875 gives 8199.5 baud (FTDI AN232B-05, Baud Rate Calculation).
    {UsbChip::Ftdi,   0x0403, "FTDI",
     "Адаптер на микросхеме FTDI: 8200 бод получаются точно (ошибка 0,01 %)."},
    // WCH CH340/CH341 (vendor 1A86, e.g. 7523): 12 MHz / prescaler / divisor; 12 MHz / 8 / 183
    // is 8196.7 baud, 0.04 % off (ch341-baudrate-calculation; Linux ch341 driver ids).
    {UsbChip::Ch340,  0x1A86, "CH340",
     "Адаптер на микросхеме CH340: 8200 бод получаются (ошибка 0,04 %) с драйвером WCH, который задаёт нестандартные скорости."},
    // Prolific PL2303 (vendor 067B, 2303): the HX and later chips take any rate through a
    // divisor; the first PL2303 only its table of standard rates, and an unsupported rate
    // set directly runs at 9600 (Linux pl2303 driver: baud_sup[], encode_baud_rate_divisor).
    {UsbChip::Pl2303, 0x067B, "PL2303",
     "Адаптер на микросхеме PL2303: новые микросхемы (HX, TA) держат 8200 бод, а старые PL2303 переходят на 9600 бод, и связи не будет; тогда нужен адаптер на FTDI."},
    // Silicon Labs CP210x (vendor 10C4, EA60): CP2101..CP2103 map any requested rate to one of
    // 32 fixed rates, 7208..9612 to 9600 baud, unless the chip's table is reprogrammed
    // (Silicon Labs AN205, Table 1); later chips (CP2104, CP2102N) set the rate asked for.
    {UsbChip::Cp210x, 0x10C4, "CP210x",
     "Адаптер на микросхеме CP210x: CP2101–CP2103 вместо 8200 бод работают на 9600, и связи не будет без перепрограммирования их таблицы скоростей; CP2102N и CP2104 могут работать. Надёжнее адаптер на FTDI."},
};
// clang-format on

constexpr const char* kUnknownName = "неизвестен";
constexpr const char* kUnknownId = "unknown";
constexpr const char* kUnknownAdvice =
    "Микросхему адаптера определить не удалось. Адаптер должен держать 8200 бод (адаптеры на "
    "FTDI держат).";

// The four hex digits after `tag` ("VID_", "PID_"), case-insensitively; -1 without them.
int hexAfter(const std::string& id, const char* tag) {
    std::string upper = id;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const size_t at = upper.find(tag);
    const size_t from = at + std::strlen(tag);
    const size_t digits = 4;
    if (at == std::string::npos || from + digits > upper.size()) return -1;
    const std::string hex = upper.substr(from, digits);
    for (char c : hex)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return -1;
    return static_cast<int>(std::strtol(hex.c_str(), nullptr, 16));
}

const ChipRow* rowOf(UsbChip chip) {
    for (const ChipRow& row : kChips)
        if (row.chip == chip) return &row;
    return nullptr;
}

} // namespace

UsbIds ParseUsbIds(const std::string& hardwareId) {
    return {hexAfter(hardwareId, "VID_"), hexAfter(hardwareId, "PID_")};
}

UsbChip ChipOfHardwareId(const std::string& hardwareId) {
    const int vendor = ParseUsbIds(hardwareId).vendor;
    for (const ChipRow& row : kChips)
        if (row.vendor == vendor) return row.chip;
    return UsbChip::Unknown;
}

const char* UsbChipName(UsbChip chip) {
    const ChipRow* row = rowOf(chip);
    return row ? row->name : kUnknownName;
}

const char* UsbChipId(UsbChip chip) {
    const ChipRow* row = rowOf(chip);
    return row ? row->name : kUnknownId;
}

UsbChip ChipOfId(const std::string& id) {
    for (const ChipRow& row : kChips)
        if (id == row.name) return row.chip;
    return UsbChip::Unknown;
}

std::string AdapterAdvice(const UsbAdapterFacts& facts) {
    return AdapterAdviceFor(ChipOfHardwareId(facts.hardwareId), facts.latencyMs);
}

std::string AdapterAdviceFor(UsbChip chip, int latencyMs) {
    const ChipRow* row = rowOf(chip);
    std::string advice = row ? row->at8200 : kUnknownAdvice;
    if (chip != UsbChip::Ftdi) return advice;
    if (latencyMs < 0)
        advice += "\nЗадержку (Latency Timer) прочитать не удалось: проверьте в свойствах порта, "
                  "что она 1–2 мс (по умолчанию " +
                  std::to_string(kFtdiDefaultLatencyMs) + " мс).";
    else if (latencyMs > kAdvisedLatencyMaxMs)
        advice += "\nЗадержка (Latency Timer) " + std::to_string(latencyMs) +
                  " мс: уменьшите её до 1–2 мс (Диспетчер устройств, порт, Параметры порта, "
                  "Дополнительно), опрос станет чаще.";
    else
        advice +=
            "\nЗадержка (Latency Timer) " + std::to_string(latencyMs) + " мс подходит для опроса.";
    return advice;
}
