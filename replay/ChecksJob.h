#pragma once
// The twelve engine checks over polls of an analysed recording on a thread of
// their own: on an eight-hour recording they take some 50 ms of processor, too
// long for the GUI thread (bench/checks). The window starts a job, and takes
// the results once told by onDone, which runs on the job's thread as its last
// act. Starting again, or destroying the job, waits for the run under way.
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "analysis/AnalysedRecording.h"
#include "checks/CheckResult.h"

class ChecksJob {
  public:
    ChecksJob() = default;
    ~ChecksJob();
    ChecksJob(const ChecksJob&) = delete;
    ChecksJob& operator=(const ChecksJob&) = delete;

    // Polls [begin, end) of the recording, which the job keeps alive while it runs.
    void start(std::shared_ptr<const analysis::AnalysedRecording> recording, std::size_t begin,
               std::size_t end, std::function<void()> onDone = {});
    bool finished() const { return finished_.load(); }
    // Waits for the run and hands its results over (a second call: empty).
    std::vector<checks::CheckResult> take();

  private:
    void wait();

    std::thread thread_;
    std::atomic<bool> finished_{false};
    std::vector<checks::CheckResult> results_;
};
