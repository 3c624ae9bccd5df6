#pragma once
// The serial line to the K-line adapter, as the link thread sees it. The Win32
// implementation wraps a COM handle; the native tests use ScriptedSerialPort.
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

struct SerialLineSettings {
    uint32_t baudRate = 8200;
    uint8_t dataBits = 8;
    uint8_t parity = 0;   // 0 = none
    uint8_t stopBits = 2; // Win32 code: 2 = two stop bits
};

struct SerialTimeouts { // milliseconds, as COMMTIMEOUTS
    uint32_t readInterval = 25;
    uint32_t readTotalMultiplier = 10;
    uint32_t readTotalConstant = 10;
    uint32_t writeTotalMultiplier = 5;
    uint32_t writeTotalConstant = 5;
};

class SerialPort {
  public:
    virtual ~SerialPort() = default;
    // CreateFileA(name, read|write, exclusive, existing). False when no handle was obtained.
    virtual bool open(const std::string& name) = 0;
    virtual bool isOpen() const = 0;
    // GetCommState + replace baud/bits/parity/stop + SetCommState; result ignored by the link.
    virtual bool applyLineSettings(const SerialLineSettings& s) = 0;
    // SetCommTimeouts. Fails when the port is not open.
    virtual bool setTimeouts(const SerialTimeouts& t) = 0;
    // Blocking write; returns bytes written (0 on a time-out or closed port), or -1 on
    // an I/O error (the device is gone: a USB adapter pulled out).
    virtual int write(const uint8_t* data, int count) = 0;
    // Blocking read of at most maxCount bytes ending on the time-outs; returns the count,
    // or -1 on an I/O error. An error comes back at once, without the time-outs.
    virtual int read(uint8_t* buffer, int maxCount) = 0;
    // PurgeComm(PURGE_RXABORT) then PurgeComm(PURGE_RXCLEAR).
    virtual void purgeReceive() = 0;
    virtual void close() = 0;
    // Lets the given time pass (the link waits out a read that failed at once).
    virtual void idle(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};
