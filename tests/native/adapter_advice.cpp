// The USB chip behind a COM port, from the hardware ids Windows gives, and the advice for it
// at 8200 baud.
#include <gtest/gtest.h>

#include <string>

#include "link/AdapterAdvice.h"

TEST(AdapterAdvice, HardwareIdsNameTheChipAndTheAdviceFitsItAndItsLatency) {
    const struct {
        const char* hardwareId;
        int latencyMs;
        UsbChip chip;
        const char* advised; // a piece the advice must hold
    } kCases[] = {
        {"USB\\VID_0403&PID_6001&REV_0600",    16,              UsbChip::Ftdi,    "уменьшите её до 1–2 мс" },
        {"FTDIBUS\\COMPORT&VID_0403&PID_6001", 2,               UsbChip::Ftdi,    "2 мс подходит"                 },
        {"ftdibus\\comport&vid_0403&pid_6015", kLatencyUnknown, UsbChip::Ftdi,
         "прочитать не удалось"                                                                           },
        {"USB\\VID_1A86&PID_7523&REV_0254",    kLatencyUnknown, UsbChip::Ch340,   "CH340"                                   },
        {"USB\\VID_067B&PID_2303&REV_0300",    kLatencyUnknown, UsbChip::Pl2303,  "9600"                                    },
        {"USB\\VID_10C4&PID_EA60&REV_0100",    16,              UsbChip::Cp210x,  "на 9600"                               },
        {"USB\\VID_2341&PID_0043",             kLatencyUnknown, UsbChip::Unknown, "определить не удалось"},
        {"ACPI\\PNP0501",                      kLatencyUnknown, UsbChip::Unknown, "определить не удалось"},
        {"USB\\VID_04G3&PID_6001",             kLatencyUnknown, UsbChip::Unknown, "определить не удалось"},
        {"USB\\VID_040",                       kLatencyUnknown, UsbChip::Unknown, "определить не удалось"},
        {"",                                   kLatencyUnknown, UsbChip::Unknown, "FTDI держат"                       },
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.hardwareId);
        EXPECT_EQ(ChipOfHardwareId(c.hardwareId), c.chip);
        const std::string advice = AdapterAdvice({c.hardwareId, c.latencyMs});
        EXPECT_NE(advice.find(c.advised), std::string::npos) << advice;
        // Only an FTDI adapter is told about its latency timer.
        EXPECT_EQ(advice.find("Latency") != std::string::npos, c.chip == UsbChip::Ftdi) << advice;
    }
    EXPECT_EQ(ParseUsbIds("USB\\VID_0403&PID_6001").product, 0x6001);
    EXPECT_STREQ(UsbChipName(UsbChip::Cp210x), "CP210x");
    EXPECT_STREQ(UsbChipName(UsbChip::Unknown), "неизвестен");
    // The names a recording's header keeps come back as their chips; others are unknown.
    for (UsbChip chip :
         {UsbChip::Ftdi, UsbChip::Ch340, UsbChip::Pl2303, UsbChip::Cp210x, UsbChip::Unknown})
        EXPECT_EQ(ChipOfId(UsbChipId(chip)), chip) << UsbChipId(chip);
    EXPECT_STREQ(UsbChipId(UsbChip::Unknown), "unknown");
    EXPECT_EQ(ChipOfId("ftdi"), UsbChip::Unknown);
}
