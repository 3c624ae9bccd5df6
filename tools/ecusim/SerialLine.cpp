#include "tools/ecusim/SerialLine.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace ecusim {

namespace {

bool makeRaw(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return false;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~CSTOPB;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

void addNanoseconds(timespec& t, long ns) {
    t.tv_nsec += ns;
    while (t.tv_nsec >= 1000000000L) {
        t.tv_nsec -= 1000000000L;
        ++t.tv_sec;
    }
}

} // namespace

SerialLine::~SerialLine() {
    if (slaveKeepAlive_ >= 0) ::close(slaveKeepAlive_);
    if (fd_ >= 0) ::close(fd_);
}

bool SerialLine::openPty(std::string& error) {
    fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0 || grantpt(fd_) != 0 || unlockpt(fd_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ptsname(fd_);
    if (name == nullptr) {
        error = "ptsname failed";
        return false;
    }
    slavePath_ = name;
    slaveKeepAlive_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slaveKeepAlive_ < 0 || !makeRaw(slaveKeepAlive_)) {
        error = "cannot configure " + slavePath_;
        return false;
    }
    return true;
}

bool SerialLine::openTty(const std::string& path, std::string& error) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    makeRaw(fd_); // a pipe-like device without termios is still usable
    slavePath_ = path;
    return true;
}

int SerialLine::readAvailable(uint8_t* buffer, int size) {
    const ssize_t n = ::read(fd_, buffer, static_cast<size_t>(size));
    if (n >= 0) return static_cast<int>(n);
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == EIO)
        return 0; // EIO: the other side has closed the pty for the moment
    return -1;
}

static double msBetween(const timespec& a, const timespec& b) {
    return (b.tv_sec - a.tv_sec) * 1e3 + (b.tv_nsec - a.tv_nsec) / 1e6;
}

SerialLine::WriteReport SerialLine::write(const uint8_t* data, size_t count, bool paced) {
    WriteReport report;
    timespec next{};
    clock_gettime(CLOCK_MONOTONIC, &next);
    const long byteNs = static_cast<long>(kByteSeconds * 1e9);
    while (report.sent < count) {
        if (paced) {
            pollfd p{fd_, POLLIN, 0};
            if (report.sent > 0 && ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN))
                return report; // the program is talking again
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            report.lateMs = std::max(report.lateMs, msBetween(next, now));
        }
        const size_t chunk = paced ? 1 : count - report.sent;
        const ssize_t n = ::write(fd_, data + report.sent, chunk);
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                timespec pause{0, 1000000};
                nanosleep(&pause, nullptr);
                continue;
            }
            report.ok = false;
            return report;
        }
        report.sent += static_cast<size_t>(n);
        if (paced) {
            addNanoseconds(next, byteNs);
            clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
        }
    }
    return report;
}

void SerialLine::discardPending() {
    if (slaveKeepAlive_ >= 0) tcflush(slaveKeepAlive_, TCIOFLUSH);
    if (fd_ >= 0) tcflush(fd_, TCIOFLUSH);
}

} // namespace ecusim
