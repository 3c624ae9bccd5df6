#pragma once
// The live checks run off the GUI thread: on start() a thread of the job's own copies the ring
// (LiveCheckRing::snapshot), runs the twelve checks on the copy and words the result for the
// window (LiveChecksView); the window takes it on its timer. One run at a time; destroying the
// job waits for a run under way (the checks of two hours take some tens of milliseconds).
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "checks/LiveCheckData.h"
#include "checks/LiveChecksView.h"

namespace checks {

class LiveCheckRing;

struct LiveChecksResult {
    ChecksView view;
    uint64_t revision = 0;   // of the ring, at the copy
    double milliseconds = 0; // the copy and the checks took, on the job's thread
};

class LiveChecksJob {
  public:
    explicit LiveChecksJob(const LiveCheckRing& ring);
    ~LiveChecksJob();
    LiveChecksJob(const LiveChecksJob&) = delete;
    LiveChecksJob& operator=(const LiveChecksJob&) = delete;

    // Starts a run; false (and nothing started) while one is under way.
    bool start();
    bool busy() const;
    // The result of the last run, once: false when there is no new one.
    bool take(LiveChecksResult& out);

  private:
    void run();

    const LiveCheckRing& ring_;
    LiveCheckData data_; // the thread's copy, its buffers kept from run to run
    mutable std::mutex lock_;
    std::condition_variable wake_;
    bool requested_ = false, busy_ = false, fresh_ = false, stopping_ = false;
    LiveChecksResult result_;
    std::thread thread_; // last: it starts once the rest is built
};

} // namespace checks
