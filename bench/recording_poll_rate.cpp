// Poll rate of the link cycle with recording on against the same without, in one
// run against the paced simulator: blocks of polls alternate between no recorder
// at all and a recorder writing every reply to a file (the program's own tap and
// writer thread), so a drift of the machine's load hits both alike. Prints both
// rates, their ratio (the goal is at least 0.98) and the link thread's CPU time
// per poll each way.
//
// usage: bench_recording_poll_rate.exe [COMn] [polls] [folder for the recording]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchClock_win32.h"
#include "link/LinkCycle.h"
#include "link/LinkTexts.h"
#include "platform/Win32SerialPort.h"
#include "record/RecordFile_win32.h"
#include "record/Recorder.h"
#include "state/MainState.h"

namespace {

class CountingEvents : public LinkEvents, public LinkSuspension {
  public:
    void setStatus(const std::string& text) override {
        if (text == linktext::kDataReceived) ++goodPolls;
    }
    void setReadout(int, const std::string&) override {}
    void setDiagButtonsEnabled(bool) override {}
    void repaintRawPanel() override {}
    void suspendSelf() override { failed = true; }
    int goodPolls = 0;
    bool failed = false;
};

int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct Tally {
    int polls = 0;
    int good = 0;
    double wall = 0, cpu = 0;
};

} // namespace

int main(int argc, char** argv) {
    const std::string portName = argc > 1 ? argv[1] : "COM1";
    const int polls = argc > 2 ? std::max(20, std::atoi(argv[2])) : 400;
    std::string folder = argc > 3 ? argv[3] : "";
    if (folder.empty()) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = temp;
    }
    const std::string path =
        folder + "\\bench-recording-" + std::to_string(GetTickCount64()) + ".mrec";
    constexpr int kBlocks = 10; // five without, five with, alternating

    MainState state;
    Win32SerialPort port;
    CountingEvents events;
    LinkCycle cycle(state.requests, state.selection, state.ecu, port, events, events);
    state.selection.portName.set(portName);
    state.requests.openRequested = 1;
    cycle.RunOnce();
    if (events.failed) {
        std::printf("recording_poll_rate: cannot open %s\n", portName.c_str());
        return 1;
    }

    Win32RecordFile file;
    Recorder recorder(file, steadyMs);
    recfile::RecordingHeader header;
    header.programVersion = "bench";
    header.car = "ESPERO";
    header.engine = "bench";
    header.family = 1;
    header.port = portName;
    header.baud = 8200;
    if (recorder.start(path, header, LocalTimeAt(0, 0), steadyMs()) != FileError::None) {
        std::printf("recording_poll_rate: cannot create %s\n", path.c_str());
        return 1;
    }

    Tally without, with;
    for (int block = 0; block < kBlocks; ++block) {
        const bool recording = block % 2 == 1;
        Tally& t = recording ? with : without;
        cycle.SetReplyTap(recording ? &recorder : nullptr); // the cycle is idle here
        const int n = polls / kBlocks;
        const int good0 = events.goodPolls;
        const double cpu0 = threadCpuSeconds();
        const double t0 = nowSeconds();
        for (int i = 0; i < n; ++i)
            cycle.RunOnce();
        t.wall += nowSeconds() - t0;
        t.cpu += threadCpuSeconds() - cpu0;
        t.polls += n;
        t.good += events.goodPolls - good0;
    }
    cycle.SetReplyTap(nullptr);
    const RecorderStop stopped = recorder.stop();
    DeleteFileA(path.c_str());

    const double rateWithout = without.polls / without.wall;
    const double rateWith = with.polls / with.wall;
    std::printf("port %s, %d polls in %d alternating blocks\n", portName.c_str(),
                without.polls + with.polls, kBlocks);
    std::printf("without recording  %8.2f polls/s  (%d good of %d, link CPU %.3f ms/poll)\n",
                rateWithout, without.good, without.polls, without.cpu * 1000.0 / without.polls);
    std::printf("recording          %8.2f polls/s  (%d good of %d, link CPU %.3f ms/poll)\n",
                rateWith, with.good, with.polls, with.cpu * 1000.0 / with.polls);
    std::printf("ratio              %8.3f           (goal >= 0.98)\n", rateWith / rateWithout);
    std::printf("recorded           %8d polls, %d dropped%s\n", stopped.polls, stopped.dropped,
                stopped.error == FileError::None ? "" : ", disk error");
    const bool allGood = without.good == without.polls && with.good == with.polls;
    return allGood && stopped.polls >= with.polls ? 0 : 2;
}
