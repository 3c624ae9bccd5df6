#include "tools/ecusim/SerialLine.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <csignal>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
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
    if (holderLife_ >= 0) ::close(holderLife_);
    if (holder_ > 0) ::waitpid(holder_, nullptr, 0);
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
    holdAsTerminal();
    return true;
}

// A tty becomes the controlling terminal of the first session leader without one that opens
// it without O_NOCTTY. Wine's server is such a process and opens the COM port's device itself:
// it would take this pty as its terminal, and get SIGHUP each time the simulator ends and the
// line hangs up (a wineserver built with object debugging answers SIGHUP by writing all its
// objects, some ten thousand lines, to the stderr of whoever started it). So a small child
// process in a session of its own takes the pty as its terminal first: a tty belongs to one
// session only. It keeps nothing else of ours open, so the line still hangs up when the
// simulator ends, and it ends then too (SIGHUP, or its lifeline closing). Should any of this
// fail, the line works as before; only that noise comes back.
void SerialLine::holdAsTerminal() {
    int life[2], ready[2];
    if (::pipe2(life, O_CLOEXEC) != 0) return;
    if (::pipe2(ready, O_CLOEXEC) != 0) {
        ::close(life[0]);
        ::close(life[1]);
        return;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        for (int fd : {life[0], life[1], ready[0], ready[1]})
            ::close(fd);
        return;
    }
    if (pid == 0) {
        for (int sig : {SIGHUP, SIGINT, SIGTERM})
            std::signal(sig, SIG_DFL);
        ::dup2(life[0], 0);
        ::dup2(ready[1], 1);
        ::close_range(2, ~0U, 0); // the master side above all
        ::setsid();
        const int tty = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
        const char held = tty >= 0 && ::ioctl(tty, TIOCSCTTY, 0) == 0 ? 1 : 0;
        (void)!::write(1, &held, 1);
        ::close(1);
        char c;
        while (::read(0, &c, 1) < 0 && errno == EINTR) {
        }
        ::_exit(0);
    }
    ::close(life[0]);
    ::close(ready[1]);
    holder_ = pid;
    holderLife_ = life[1];
    char held = 0; // the child has taken the pty (or given up) before any program can open it
    while (::read(ready[0], &held, 1) < 0 && errno == EINTR) {
    }
    ::close(ready[0]);
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
