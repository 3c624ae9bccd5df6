#include "checks/LiveChecksJob.h"

#include <chrono>
#include <utility>

#include "checks/Checks.h"
#include "checks/LiveCheckRing.h"

namespace checks {

LiveChecksJob::LiveChecksJob(const LiveCheckRing& ring)
    : ring_(ring), thread_(&LiveChecksJob::run, this) {}

LiveChecksJob::~LiveChecksJob() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

bool LiveChecksJob::start() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (busy_ || requested_) return false;
        requested_ = true;
    }
    wake_.notify_one();
    return true;
}

bool LiveChecksJob::busy() const {
    std::lock_guard<std::mutex> guard(lock_);
    return busy_ || requested_;
}

bool LiveChecksJob::take(LiveChecksResult& out) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!fresh_) return false;
    out = std::move(result_);
    fresh_ = false;
    return true;
}

void LiveChecksJob::run() {
    for (;;) {
        {
            std::unique_lock<std::mutex> guard(lock_);
            wake_.wait(guard, [this] { return requested_ || stopping_; });
            if (stopping_) return;
            requested_ = false;
            busy_ = true;
        }
        const auto started = std::chrono::steady_clock::now();
        LiveChecksResult result;
        ring_.snapshot(data_);
        result.revision = data_.revision();
        result.view = ViewOfChecks(RunChecks(data_), data_);
        result.milliseconds =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count();
        std::lock_guard<std::mutex> guard(lock_);
        result_ = std::move(result);
        fresh_ = true;
        busy_ = false;
    }
}

} // namespace checks
