#pragma once
// SerialPort over a Win32 COM handle (synchronous I/O, time-outs from COMMTIMEOUTS).
#include "platform/SerialPort.h"

#include <windows.h>

class Win32SerialPort : public SerialPort {
  public:
    Win32SerialPort() = default;
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    bool open(const std::string& name) override;
    bool isOpen() const override;
    bool applyLineSettings(const SerialLineSettings& s) override;
    bool setTimeouts(const SerialTimeouts& t) override;
    // The four line settings as the device reports them now; false when not open.
    bool lineSettings(SerialLineSettings& out) const;
    int write(const uint8_t* data, int count) override;
    int read(uint8_t* buffer, int maxCount) override;
    void purgeReceive() override;
    void close() override;
    void idle(uint32_t ms) override;

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};
