// Poll rate of the link cycle against a paced ECU (the simulator at 8200 baud,
// 11 bits per byte, 5 ms reaction). Prints polls per second, the ratio to the
// wire limit and the link thread's CPU time per poll.
//
// usage: bench_poll_rate.exe [COMn] [polls]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchClock_win32.h"
#include "state/MainState.h"
#include "link/LinkCycle.h"
#include "link/LinkTexts.h"
#include "platform/Win32SerialPort.h"

namespace {

class CountingEvents : public LinkEvents, public LinkSuspension {
  public:
    void setStatus(const std::string& text) override {
        if (text == linktext::kDataReceived)
            ++goodPolls;
        else if (text != linktext::kConnecting)
            ++otherOutcomes;
        last = text;
    }
    void setReadout(int, const std::string&) override {}
    void setDiagButtonsEnabled(bool) override {}
    void repaintRawPanel() override {}
    void suspendSelf() override { failed = true; }

    int goodPolls = 0;
    int otherOutcomes = 0;
    bool failed = false;
    std::string last;
};

} // namespace

int main(int argc, char** argv) {
    const std::string portName = argc > 1 ? argv[1] : "COM1";
    const int polls = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    // 68 bytes × 11 bits at 8200 baud, the 25 ms inter-byte time-out, 5 ms reaction.
    const double wireLimitMs = 68 * 11 * 1000.0 / 8200 + 25 + 5;

    MainState state;
    Win32SerialPort port;
    CountingEvents events;
    LinkCycle cycle(state.requests, state.selection, state.ecu, port, events, events);
    state.selection.portName.set(portName);
    state.requests.openRequested = 1;

    cycle.RunOnce(); // open and the first poll
    if (events.failed) {
        std::printf("poll_rate: cannot open %s\n", portName.c_str());
        return 1;
    }
    const int warmGood = events.goodPolls;
    const double cpu0 = threadCpuSeconds();
    const double t0 = nowSeconds();
    for (int i = 0; i < polls; ++i)
        cycle.RunOnce();
    const double wall = nowSeconds() - t0;
    const double cpu = threadCpuSeconds() - cpu0;

    const int good = events.goodPolls - warmGood;
    const double perSecond = polls / wall;
    const double msPerPoll = wall * 1000.0 / polls;
    std::printf("port %s, %d polls, %d with good data, %d other outcomes (last \"%s\")\n",
                portName.c_str(), polls, good, events.otherOutcomes, events.last.c_str());
    std::printf("cycle time          %8.1f ms  (wire limit %.1f ms)\n", msPerPoll, wireLimitMs);
    std::printf("polls per second    %8.2f     (wire limit %.2f)\n", perSecond,
                1000.0 / wireLimitMs);
    std::printf("ratio to wire limit %8.3f\n", wireLimitMs / msPerPoll);
    std::printf("CPU time per poll   %8.3f ms\n", cpu * 1000.0 / polls);
    return good == polls ? 0 : 2;
}
