// The USB adapter behind a COM port, asked of SetupAPI. Under Wine COM1 is the simulator's
// pseudo-terminal and no port is a USB device: every query answers "unknown" and nothing fails.
#include <gtest/gtest.h>

#include <string>

#include "link/AdapterAdvice.h"
#include "platform/UsbSerialAdapter_win32.h"

TEST(UsbSerialAdapter, PortsWithoutAUsbAdapterReadAsUnknownAndStillGetAdvice) {
    for (const char* port : {"COM1", "com1", "\\\\.\\COM1", "COM12", "COM99", "", "not a port"}) {
        SCOPED_TRACE(port);
        const UsbAdapterFacts facts = QueryUsbSerialPort(port);
        EXPECT_EQ(ChipOfHardwareId(facts.hardwareId), UsbChip::Unknown) << facts.hardwareId;
        EXPECT_EQ(facts.latencyMs, kLatencyUnknown);
        EXPECT_NE(AdapterAdvice(facts).find("определить не удалось"), std::string::npos);
    }
}
