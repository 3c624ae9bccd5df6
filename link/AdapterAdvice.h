#pragma once
// The USB chip behind a COM port, told from its hardware id, and what to advise about it for
// an 8200 baud K-line link: whether the chip can make that rate, and an FTDI adapter's
// latency timer. Plain data and text; the query of the machine is platform's
// (platform/UsbSerialAdapter_win32.h).
#include <string>

#include "platform/UsbAdapterFacts.h"

enum class UsbChip { Unknown, Ftdi, Ch340, Pl2303, Cp210x };

// The USB vendor and product ids of a hardware id such as "USB\VID_0403&PID_6001&REV_0600"
// or "FTDIBUS\COMPORT&VID_0403&PID_6001"; -1 where it has none.
struct UsbIds {
    int vendor = -1;
    int product = -1;
};
UsbIds ParseUsbIds(const std::string& hardwareId);

UsbChip ChipOfHardwareId(const std::string& hardwareId);
const char* UsbChipName(UsbChip chip); // "FTDI", "CH340", "PL2303", "CP210x", "неизвестен"
// The chip as a recording's header names it (key `adapter`): "FTDI", "CH340", "PL2303",
// "CP210x" or "unknown"; and back (anything else is Unknown).
const char* UsbChipId(UsbChip chip);
UsbChip ChipOfId(const std::string& id);

// The advice, in Russian, one sentence per line: the chip at 8200 baud, then (FTDI) its
// latency timer.
std::string AdapterAdvice(const UsbAdapterFacts& facts);
std::string AdapterAdviceFor(UsbChip chip, int latencyMs);
