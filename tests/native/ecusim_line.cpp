// The simulator's pty end: raw bytes, 8200-baud pacing, and a paced answer that stops
// when the program talks again.
#include <gtest/gtest.h>

#include <chrono>
#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "tools/ecusim/SerialLine.h"

using namespace ecusim;
using Clock = std::chrono::steady_clock;

namespace {

int drain(int fd, std::vector<uint8_t>& into) {
    uint8_t b[256];
    int total = 0;
    for (ssize_t n; (n = ::read(fd, b, sizeof(b))) > 0; total += static_cast<int>(n))
        into.insert(into.end(), b, b + n);
    return total;
}

} // namespace

TEST(EcusimLine, PacedAnswerTakesItsLineTimeAndArrivesUnchanged) {
    SerialLine line;
    std::string error;
    ASSERT_TRUE(line.openPty(error)) << error;
    const int program = ::open(line.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(program, 0);
    std::vector<uint8_t> answer(64);
    for (size_t i = 0; i < answer.size(); ++i)
        answer[i] = static_cast<uint8_t>(i * 37); // includes 0x0A, 0x0D, 0x03, 0x11 ...
    const auto start = Clock::now();
    const SerialLine::WriteReport w = line.write(answer.data(), answer.size(), true);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    EXPECT_EQ(w.sent, 64u);
    EXPECT_GE(ms, 64 * kByteSeconds * 1000 * 0.95);
    std::vector<uint8_t> got;
    drain(program, got);
    EXPECT_EQ(got, answer);
    ::close(program);
}

TEST(EcusimLine, PacedAnswerStopsWhenTheProgramSpeaks) {
    SerialLine line;
    std::string error;
    ASSERT_TRUE(line.openPty(error)) << error;
    const int program = ::open(line.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(program, 0);
    std::thread talker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const uint8_t poll[4] = {0xF4, 0x56, 0x01, 0xB5};
        EXPECT_EQ(::write(program, poll, 4), 4);
    });
    std::vector<uint8_t> answer(64, 0x55);
    const SerialLine::WriteReport w = line.write(answer.data(), answer.size(), true);
    talker.join();
    EXPECT_GT(w.sent, 0u);
    EXPECT_LT(w.sent, 64u);
    uint8_t b[8];
    EXPECT_EQ(line.readAvailable(b, sizeof(b)), 4); // the new request is still there to read
    ::close(program);
}

// Wine's server opens a COM port's device itself and is a session leader without a terminal:
// the simulator's pty must not become its terminal (or it gets SIGHUP whenever the simulator
// ends). Another session opening the pty as such a process does must not get it.
TEST(EcusimLine, PtyIsNoOtherSessionsTerminal) {
    SerialLine line;
    std::string error;
    ASSERT_TRUE(line.openPty(error)) << error;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setsid();
        const int fd = ::open(line.slavePath().c_str(), O_RDWR | O_NONBLOCK); // no O_NOCTTY
        ::_exit(fd < 0 ? 2 : ::tcgetsid(fd) == ::getsid(0) ? 1 : 0);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the pty became the other session's terminal";
}

// The line hangs up when the simulator ends: a program reading it sees the end, not silence.
TEST(EcusimLine, LineHangsUpWhenTheSimulatorEnds) {
    int program = -1;
    {
        SerialLine line;
        std::string error;
        ASSERT_TRUE(line.openPty(error)) << error;
        program = ::open(line.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(program, 0);
    }
    uint8_t b[4];
    const ssize_t n = ::read(program, b, sizeof(b));
    const int err = errno;
    EXPECT_TRUE(n == 0 || (n < 0 && err == EIO)) << "read " << n << ", errno " << err;
    ::close(program);
}
