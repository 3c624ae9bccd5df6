#pragma once
// What the machine knows of the USB adapter behind a COM port: the device's hardware id and,
// for an FTDI adapter, its driver's latency timer. Filled by platform/UsbSerialAdapter_win32,
// judged by link/AdapterAdvice.
#include <string>

constexpr int kLatencyUnknown = -1;

struct UsbAdapterFacts {
    std::string hardwareId;          // e.g. "USB\VID_0403&PID_6001&REV_0600"; empty: unknown
    int latencyMs = kLatencyUnknown; // the driver's LatencyTimer, where it keeps one
};
