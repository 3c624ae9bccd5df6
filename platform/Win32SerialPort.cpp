#include "platform/Win32SerialPort.h"

Win32SerialPort::~Win32SerialPort() {
    close();
}

bool Win32SerialPort::open(const std::string& name) {
    close();
    // "COM10" and above only open through the device namespace; COM1..COM8 open either way.
    std::string path = name;
    if (name.size() > 4 && name.compare(0, 3, "COM") == 0) path = "\\\\.\\" + name;
    handle_ = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle_ != INVALID_HANDLE_VALUE;
}

bool Win32SerialPort::isOpen() const {
    return handle_ != INVALID_HANDLE_VALUE;
}

bool Win32SerialPort::applyLineSettings(const SerialLineSettings& s) {
    if (!isOpen()) return false;
    DCB dcb = {};
    dcb.DCBlength = sizeof(dcb);
    const bool read = GetCommState(handle_, &dcb) != 0;
    // Only these four change; everything else stays as the device reported it.
    dcb.BaudRate = s.baudRate;
    dcb.ByteSize = s.dataBits;
    dcb.Parity = s.parity;
    dcb.StopBits = s.stopBits;
    const bool written = SetCommState(handle_, &dcb) != 0;
    return read && written;
}

bool Win32SerialPort::lineSettings(SerialLineSettings& out) const {
    if (!isOpen()) return false;
    DCB dcb = {};
    dcb.DCBlength = sizeof(dcb);
    if (!GetCommState(handle_, &dcb)) return false;
    out.baudRate = dcb.BaudRate;
    out.dataBits = dcb.ByteSize;
    out.parity = dcb.Parity;
    out.stopBits = dcb.StopBits;
    return true;
}

bool Win32SerialPort::setTimeouts(const SerialTimeouts& t) {
    if (!isOpen()) return false;
    COMMTIMEOUTS ct = {};
    ct.ReadIntervalTimeout = t.readInterval;
    ct.ReadTotalTimeoutMultiplier = t.readTotalMultiplier;
    ct.ReadTotalTimeoutConstant = t.readTotalConstant;
    ct.WriteTotalTimeoutMultiplier = t.writeTotalMultiplier;
    ct.WriteTotalTimeoutConstant = t.writeTotalConstant;
    return SetCommTimeouts(handle_, &ct) != 0;
}

int Win32SerialPort::write(const uint8_t* data, int count) {
    if (!isOpen() || data == nullptr || count <= 0) return 0;
    DWORD done = 0;
    if (!WriteFile(handle_, data, static_cast<DWORD>(count), &done, nullptr) && done == 0 &&
        GetLastError() != ERROR_TIMEOUT)
        return -1;                 // the device is gone
    return static_cast<int>(done); // a time-out still reports what went out
}

int Win32SerialPort::read(uint8_t* buffer, int maxCount) {
    if (!isOpen() || buffer == nullptr || maxCount <= 0) return 0;
    DWORD done = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(maxCount), &done, nullptr) && done == 0 &&
        GetLastError() != ERROR_TIMEOUT)
        return -1;                 // the device is gone
    return static_cast<int>(done); // 0 when nothing arrived before the time-outs
}

void Win32SerialPort::idle(uint32_t ms) {
    Sleep(ms);
}

void Win32SerialPort::purgeReceive() {
    if (!isOpen()) return;
    PurgeComm(handle_, PURGE_RXABORT);
    PurgeComm(handle_, PURGE_RXCLEAR);
}

void Win32SerialPort::close() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
}
