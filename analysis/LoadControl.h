#pragma once
// Between the window and the thread that opens a recording for analysis: how far
// the work has got, and the window's wish to stop it. Both sides may touch it at
// any time.
#include <atomic>

namespace analysis {

struct LoadControl {
    std::atomic<float> progress{0.0f}; // 0..1, written by the loading thread
    std::atomic<bool> cancel{false};   // raised by the window; the loader stops soon after

    bool cancelled() const { return cancel.load(std::memory_order_relaxed); }
    void report(float fraction) { progress.store(fraction, std::memory_order_relaxed); }
};

} // namespace analysis
