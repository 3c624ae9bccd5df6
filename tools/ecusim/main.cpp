// ecusim: a Daewoo ECU behind a K-line adapter, on a pseudo-terminal or a tty.
// See tools/ecusim/README.md for the options, the control file and the log.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "tools/ecusim/ControlCommands.h"
#include "tools/ecusim/ControlFile.h"
#include "tools/ecusim/EcuSimulator.h"
#include "tools/ecusim/SerialLine.h"

using namespace ecusim;
using Clock = std::chrono::steady_clock;

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) {
    stopRequested = 1;
}

struct Options {
    Settings settings;
    std::string tty;
    std::string link;
    std::string controlPath;
    std::string logPath;
    uint32_t seed = 1;
    double startCoolant = 20;
};

void usage() {
    std::fputs(
        "usage: ecusim [options]\n"
        "  --family N            EcuFamily 1..4 (default 1)\n"
        "  --tty PATH            use this tty instead of a new pseudo-terminal\n"
        "  --link PATH           make PATH a symlink to the pty (e.g. <prefix>/dosdevices/com1)\n"
        "  --pace on|off         8200 baud, 11 bits per byte (default on)\n"
        "  --delay MS            ECU reaction time before its answer (default 5)\n"
        "  --confirm on|off      confirm or reject command frames (default on)\n"
        "  --codes B1 B2 B3 B4   trouble-code bytes, hex (default 00 00 00 00)\n"
        "  --fault MODE [N]      none silent echo short long69 long70 wrongecho garbage\n"
        "                        hangup N, drop N\n"
        "  --engine-fault LIST   what is wrong with the engine, e.g. o2-lazy,fan-dead (default\n"
        "                        none): o2-lazy o2-lean o2-rich trim-lean trim-rich\n"
        "                        thermostat-open coolant-open coolant-short tps-dropout\n"
        "                        idle-unstable charging-weak fan-dead\n"
        "  --control PATH        control file (append command lines to it)\n"
        "  --log PATH            log of every frame received, answer sent and command applied\n"
        "  --coolant C           coolant temperature at start (default 20)\n"
        "  --seed N              engine randomness (default 1)\n",
        stderr);
}

bool parseOptions(int argc, char** argv, Options& o) {
    std::vector<std::string> a(argv + 1, argv + argc);
    for (size_t i = 0; i < a.size(); ++i) {
        auto more = [&](size_t n) { return i + n < a.size(); };
        const std::string& opt = a[i];
        Settings& s = o.settings;
        std::string line; // options that are control commands go through the same parser
        if (opt == "--family" && more(1)) {
            line = "family " + a[++i];
        } else if (opt == "--pace" && more(1)) {
            line = "pace " + a[++i];
        } else if (opt == "--delay" && more(1)) {
            line = "delay " + a[++i];
        } else if (opt == "--confirm" && more(1)) {
            line = "confirm " + a[++i];
        } else if (opt == "--codes" && more(4)) {
            line = "codes " + a[i + 1] + " " + a[i + 2] + " " + a[i + 3] + " " + a[i + 4];
            i += 4;
        } else if (opt == "--fault" && more(1)) {
            line = "fault " + a[++i];
            if ((a[i] == "hangup" || a[i] == "drop") && more(1)) line += " " + a[++i];
        } else if (opt == "--engine-fault" && more(1)) {
            line = "engine-fault " + a[++i];
        } else if (opt == "--tty" && more(1)) {
            o.tty = a[++i];
        } else if (opt == "--link" && more(1)) {
            o.link = a[++i];
        } else if (opt == "--control" && more(1)) {
            o.controlPath = a[++i];
        } else if (opt == "--log" && more(1)) {
            o.logPath = a[++i];
        } else if (opt == "--seed" && more(1)) {
            o.seed = static_cast<uint32_t>(std::strtoul(a[++i].c_str(), nullptr, 10));
        } else if (opt == "--coolant" && more(1)) {
            o.startCoolant = std::strtod(a[++i].c_str(), nullptr);
        } else {
            std::fprintf(stderr, "ecusim: bad option %s\n", opt.c_str());
            return false;
        }
        if (!line.empty() && applyControlLine(line, s, s) != ControlResult::Applied) {
            std::fprintf(stderr, "ecusim: bad value in \"%s\"\n", line.c_str());
            return false;
        }
    }
    return true;
}

class Log {
  public:
    bool open(const std::string& path) {
        if (path.empty()) return true;
        file_ = std::fopen(path.c_str(), "w");
        return file_ != nullptr;
    }
    ~Log() {
        if (file_) std::fclose(file_);
    }
    void bytes(const char* tag, const std::vector<uint8_t>& b) {
        if (!file_) return;
        std::fputs(tag, file_);
        for (uint8_t x : b)
            std::fprintf(file_, " %02X", x);
        std::fputc('\n', file_);
        std::fflush(file_);
    }
    void text(const char* tag, const std::string& t) {
        if (!file_) return;
        std::fprintf(file_, "%s %s\n", tag, t.c_str());
        std::fflush(file_);
    }

  private:
    FILE* file_ = nullptr;
};

bool makeLink(const std::string& link, const std::string& target) {
    char existing[512];
    const ssize_t n = readlink(link.c_str(), existing, sizeof(existing) - 1);
    if (n >= 0 || errno == EINVAL) // an old link, or a plain file we may replace
        unlink(link.c_str());
    return symlink(target.c_str(), link.c_str()) == 0;
}

void removeLinkIfOurs(const std::string& link, const std::string& target) {
    char existing[512];
    const ssize_t n = readlink(link.c_str(), existing, sizeof(existing) - 1);
    if (n > 0 && std::string(existing, static_cast<size_t>(n)) == target) unlink(link.c_str());
}

} // namespace

int main(int argc, char** argv) {
    Options opt;
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage();
        return 0;
    }
    if (!parseOptions(argc, argv, opt)) {
        usage();
        return 2;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);
    std::signal(SIGPIPE, SIG_IGN);

    SerialLine line;
    std::string error;
    if (!(opt.tty.empty() ? line.openPty(error) : line.openTty(opt.tty, error))) {
        std::fprintf(stderr, "ecusim: %s\n", error.c_str());
        return 1;
    }
    Log log;
    ControlFile control;
    if (!log.open(opt.logPath) || (!opt.controlPath.empty() && !control.open(opt.controlPath))) {
        std::fprintf(stderr, "ecusim: cannot write the log or control file\n");
        return 1;
    }
    if (!opt.link.empty() && !makeLink(opt.link, line.slavePath())) {
        std::fprintf(stderr, "ecusim: cannot link %s: %s\n", opt.link.c_str(),
                     std::strerror(errno));
        return 1;
    }
    std::printf("pty %s\n", line.slavePath().c_str());
    std::fflush(stdout);

    const Settings initial = opt.settings;
    EcuSimulator sim(opt.settings, opt.seed, opt.startCoolant);

    auto lastTick = Clock::now();
    auto lastByte = Clock::now();
    int status = 0;
    std::vector<uint8_t> buffer(4096);

    auto send = [&](const ReceiveResult& r, Clock::time_point frameEnd) {
        for (const Received& seen : r.seen)
            log.bytes(seen.isFrame ? "rx" : "junk", seen.bytes);
        for (const Transmit& t : r.out) {
            const bool paced = sim.settings().pace;
            if (t.isAnswer)
                std::this_thread::sleep_until(frameEnd +
                                              std::chrono::milliseconds(sim.settings().delayMs));
            const SerialLine::WriteReport w =
                line.write(t.bytes.data(), t.bytes.size(), paced && t.isAnswer);
            if (!w.ok) log.text("error", "write failed");
            // The ECU's answers as they went out (a test compares them with what the
            // program recorded); the adapter's echo repeats the rx line and is left out.
            if (t.isAnswer && w.sent > 0)
                log.bytes("tx", std::vector<uint8_t>(t.bytes.begin(), t.bytes.begin() + w.sent));
            if (w.sent < t.bytes.size()) {
                log.text("cut", std::to_string(w.sent) + " of " + std::to_string(t.bytes.size()) +
                                    " bytes sent, the program spoke");
                break;
            }
            // A byte this late leaves a gap the program's 25 ms inter-byte time-out may end a
            // read on: worth knowing when a test or the demo sees cut answers.
            if (w.lateMs > 10) log.text("late", std::to_string(static_cast<int>(w.lateMs)) + " ms");
        }
    };

    while (!stopRequested) {
        pollfd p{line.fd(), POLLIN, 0};
        const int ready = poll(&p, 1, 10);
        const auto now = Clock::now();
        sim.advanceTime(std::chrono::duration<double>(now - lastTick).count());
        lastTick = now;

        if (ready > 0 && (p.revents & POLLIN)) {
            const int n = line.readAvailable(buffer.data(), static_cast<int>(buffer.size()));
            if (n < 0) {
                std::fprintf(stderr, "ecusim: read failed: %s\n", std::strerror(errno));
                status = 1;
                break;
            }
            if (n > 0) {
                lastByte = now;
                send(sim.receive(buffer.data(), static_cast<size_t>(n)), now);
            }
        } else if (ready > 0 && (p.revents & (POLLHUP | POLLERR))) {
            // Nobody on the other side (only when using --tty): wait without spinning.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (now - lastByte > std::chrono::milliseconds(50)) send(sim.lineIdle(), now);

        for (const std::string& command : control.newLines()) {
            Settings next = sim.settings();
            switch (applyControlLine(command, next, initial)) {
            case ControlResult::Applied:
                sim.apply(next);
                if (command.rfind("reset", 0) == 0) line.discardPending();
                log.text("ctl", command);
                break;
            case ControlResult::Mark:
                log.text("ctl", command);
                break;
            case ControlResult::Quit:
                log.text("ctl", command);
                stopRequested = 1;
                break;
            case ControlResult::Error:
                log.text("ctl-error", command);
                break;
            }
        }
    }
    if (!opt.link.empty()) removeLinkIfOurs(opt.link, line.slavePath());
    return status;
}
