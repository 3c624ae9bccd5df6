#pragma once
// What the analysis and checks benchmarks share: a simulated drive written as a recording
// of ECU family 4 (one poll every 120 ms of the engine model warming up, idling, the
// throttle blipped now and then; 1 poll in 100 without an answer, a marker every 5 minutes,
// the link stopped for 10 s every 20 minutes), and timing by the median of a few runs.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "tools/ecusim/EngineFaults.h"

namespace bench {

constexpr int kPollMs = 120;
constexpr int kFamily = 4;
constexpr int kHourPolls = 3600 * 1000 / kPollMs;

struct DriveShape {
    int polls = kHourPolls;
    ecusim::EngineFaults faults = 0;
    bool drifting = false; // every reply byte drifts at random (the decoder's worst case)
    std::string startDateTime = "2026-12-10T08:00:00.000+03:00";
};

std::vector<uint8_t> MakeDriveRecording(const DriveShape& shape);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

// The process's processor time: on a machine shared with other work the wall clock says
// more about the neighbours than about this code.
inline double CpuMs() {
    return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
}

inline double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Wall and processor time of one call, the median of `runs`.
template <typename F> std::pair<double, double> Timed(int runs, F&& f) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        const double c0 = CpuMs();
        const auto t0 = std::chrono::steady_clock::now();
        f();
        wall.push_back(MsSince(t0));
        cpu.push_back(CpuMs() - c0);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

} // namespace bench
