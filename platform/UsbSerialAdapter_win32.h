#pragma once
// The USB adapter behind a COM port, as Windows' device manager knows it (SetupAPI): the
// hardware id of the Ports-class device whose PortName is the port, and the LatencyTimer an
// FTDI driver keeps in that device's parameters. Never fails: whatever cannot be read stays
// unknown (a port that is no USB adapter, a machine or Wine prefix without the device).
#include <string>

#include "platform/UsbAdapterFacts.h"

// portName: "COM3" (or "\\.\COM12").
UsbAdapterFacts QueryUsbSerialPort(const std::string& portName);
