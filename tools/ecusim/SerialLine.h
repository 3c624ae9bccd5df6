#pragma once
// The simulator's end of the serial line: a new pseudo-terminal (the program under test
// opens its slave side) or an existing tty. Raw 8-bit bytes; optional 8200-baud pacing.
#include <cstdint>
#include <string>

namespace ecusim {

class SerialLine {
  public:
    SerialLine() = default;
    ~SerialLine();
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    // Creates a pty; slavePath() names the device to hand to the program.
    bool openPty(std::string& error);
    // Uses an existing tty (a real adapter's port, one end of a socat pair).
    bool openTty(const std::string& path, std::string& error);

    int fd() const { return fd_; }
    const std::string& slavePath() const { return slavePath_; }

    // Reads what is there (0 when nothing, -1 on a hard error).
    int readAvailable(uint8_t* buffer, int size);
    struct WriteReport {
        size_t sent = 0;   // bytes written
        double lateMs = 0; // the longest a paced byte went out behind its schedule
        bool ok = true;    // false on a write error
    };
    // Writes the bytes; paced: one byte every 11 bit times at 8200 baud. A paced write stops
    // early when the other side starts sending again: it has given up on this answer (read
    // ended, input purged, next request on its way), as the ECU does when the tester talks.
    WriteReport write(const uint8_t* data, size_t count, bool paced);
    // Drops whatever is queued on the line in both directions: bytes a program that has
    // gone away left unread must not reach the next one.
    void discardPending();

  private:
    void holdAsTerminal();

    int fd_ = -1;
    int slaveKeepAlive_ = -1; // keeps the pty usable while no program has it open
    std::string slavePath_;
    int holder_ = -1;     // pid of the process that holds the pty as its terminal
    int holderLife_ = -1; // its lifeline: it ends when this end is closed
};

// Seconds one byte takes on the line: 11 bits (start, 8 data, 2 stop) at 8200 baud.
constexpr double kByteSeconds = 11.0 / 8200.0;

} // namespace ecusim
