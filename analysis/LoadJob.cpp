#include "analysis/LoadJob.h"

namespace analysis {

LoadJob::~LoadJob() {
    stop();
}

void LoadJob::stop() {
    if (!thread_.joinable()) return;
    cancel();
    thread_.join();
}

void LoadJob::start(std::unique_ptr<ByteSource> source, std::function<void()> onDone) {
    stop();
    control_.cancel.store(false);
    control_.progress.store(0.0f);
    finished_.store(false);
    result_ = LoadResult();
    thread_ = std::thread([this, src = std::move(source), done = std::move(onDone)] {
        result_ = LoadRecording(*src, control_);
        finished_.store(true);
        if (done) done();
    });
}

LoadResult LoadJob::take() {
    if (thread_.joinable()) thread_.join();
    LoadResult r = std::move(result_);
    result_ = LoadResult();
    return r;
}

} // namespace analysis
