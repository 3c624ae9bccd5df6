#pragma once
// A recording opened for analysis on a thread of its own: the window starts it,
// shows progress() on a timer, may cancel(), and takes the result once finished()
// (or when told by onDone, which runs on the loading thread as its last act, for
// instance to post a message to the window). Destroying the job cancels it and
// waits for the thread.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "analysis/LoadControl.h"
#include "analysis/RecordingLoader.h"

namespace analysis {

class LoadJob {
  public:
    LoadJob() = default;
    ~LoadJob();
    LoadJob(const LoadJob&) = delete;
    LoadJob& operator=(const LoadJob&) = delete;

    // A job still running is cancelled and waited for first.
    void start(std::unique_ptr<ByteSource> source, std::function<void()> onDone = {});
    bool started() const { return thread_.joinable(); }
    bool finished() const { return finished_.load(); }
    float progress() const { return control_.progress.load(); }
    void cancel() { control_.cancel.store(true); }
    // Waits for the thread and hands its result over (a second call: Refused, empty).
    LoadResult take();

  private:
    void stop();

    LoadControl control_;
    std::thread thread_;
    std::atomic<bool> finished_{false};
    LoadResult result_;
};

} // namespace analysis
