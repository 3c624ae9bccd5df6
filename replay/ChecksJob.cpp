#include "replay/ChecksJob.h"

#include "checks/Checks.h"

ChecksJob::~ChecksJob() {
    wait();
}

void ChecksJob::wait() {
    if (thread_.joinable()) thread_.join();
}

void ChecksJob::start(std::shared_ptr<const analysis::AnalysedRecording> recording,
                      std::size_t begin, std::size_t end, std::function<void()> onDone) {
    wait();
    finished_.store(false);
    results_.clear();
    thread_ = std::thread([this, rec = std::move(recording), begin, end, done = std::move(onDone)] {
        results_ = checks::RunChecks(checks::RecordingCheckData(*rec, begin, end));
        finished_.store(true);
        if (done) done();
    });
}

std::vector<checks::CheckResult> ChecksJob::take() {
    wait();
    std::vector<checks::CheckResult> r = std::move(results_);
    results_.clear();
    return r;
}
