#include "replay/ReplayPlayer.h"

#include <algorithm>
#include <cstring>

using recfile::Record;

namespace {

constexpr int kSpeedQuarters[kReplaySpeedCount] = {1, 2, 4, 8, 16, 32};

} // namespace

ReplayPlayer::ReplayPlayer(const RecordingReader& reader, const ReplayClock& clock)
    : reader_(reader), clock_(clock), polls_(reader.pollCount()), shownPoll_(reader.pollCount()) {
    validAfter_.resize(polls_);
    bufferFrom_.resize(polls_);
    bool valid = false;
    std::size_t from = polls_;
    Record r;
    for (std::size_t k = 0; k < polls_; ++k) {
        reader_.record(reader_.pollRecord(k), r);
        // What the presenter and the link cycle leave behind after this poll.
        switch (r.outcome) {
        case PollOutcome::GoodReply:
        case PollOutcome::NoAnswer:
        case PollOutcome::LinkBroken:
            valid = r.hasReply;
            from = r.hasReply ? k : polls_;
            break;
        case PollOutcome::WrongEcho:
        case PollOutcome::NotPolled:
            break;
        }
        validAfter_[k] = valid ? 1 : 0;
        bufferFrom_[k] = from;
    }
    for (std::size_t i : reader_.events())
        eventTimes_.push_back(reader_.timeMs(i));
    for (const MarkerInfo& m : reader_.markers())
        markerTimes_.push_back(m.timeMs);
    std::sort(markerTimes_.begin(), markerTimes_.end());
}

int ReplayPlayer::SpeedQuarters(int index) {
    return kSpeedQuarters[std::clamp(index, 0, kReplaySpeedCount - 1)];
}

uint32_t ReplayPlayer::pollTime(std::size_t poll) const {
    return reader_.timeMs(reader_.pollRecord(poll));
}

std::size_t ReplayPlayer::pollSegment(std::size_t poll) const {
    return reader_.segmentOf(reader_.pollRecord(poll));
}

std::size_t ReplayPlayer::latestPoll(uint32_t timeMs) const {
    if (polls_ == 0 || pollTime(0) > timeMs) return polls_;
    return reader_.seekPoll(timeMs);
}

void ReplayPlayer::present(std::size_t poll, ReplayOutput& out, bool shown) {
    Record r;
    reader_.record(reader_.pollRecord(poll), r);
    const std::size_t from = bufferFrom_[poll];
    if (from == polls_) {
        std::memset(buffer_, 0, sizeof buffer_);
    } else if (from == poll) {
        std::memcpy(buffer_, r.reply.data(), r.reply.size());
    } else {
        Record source;
        reader_.record(reader_.pollRecord(from), source);
        std::memcpy(buffer_, source.reply.data(), source.reply.size());
    }
    JudgedReply reply;
    reply.timeMs = r.timeMs;
    reply.outcome = r.outcome;
    reply.received = r.received;
    reply.buffer = buffer_;
    segment_ = pollSegment(poll);
    shownPoll_ = poll;
    shownQuietly_ = !shown;
    if (shown) lastShownUs_ = clock_.nowUs();
    out.replyDue(reply, segment_, shown);
}

void ReplayPlayer::moveTo(uint32_t timeMs, ReplayOutput& out) {
    std::size_t next = shownPoll_ == polls_ ? 0 : shownPoll_ + 1;
    uint64_t tick = (uint64_t{cursorMs_} / kSamplePeriodMs + 1) * kSamplePeriodMs;
    for (;;) {
        const bool pollDue = next < polls_ && pollTime(next) <= timeMs;
        const bool tickDue = tick <= timeMs;
        if (pollDue && (!tickDue || pollTime(next) <= tick)) {
            // Of the polls due at once only the last reaches the screen; the ones
            // before it still reach the sampler.
            const bool last = next + 1 >= polls_ || pollTime(next + 1) > timeMs;
            const bool screenDue = !playing_ || clock_.nowUs() - lastShownUs_ >= kReplayShowEveryUs;
            present(next++, out, last && screenDue);
        } else if (tickDue) {
            // Before the first poll the sampler has nothing to look at.
            if (shownPoll_ != polls_) out.sampleDue(static_cast<uint32_t>(tick), segment_);
            tick += kSamplePeriodMs;
        } else {
            break;
        }
    }
    cursorMs_ = timeMs;
}

void ReplayPlayer::refill(ReplayOutput& out) {
    out.historyCleared();
    const std::size_t last = latestPoll(cursorMs_);
    shownPoll_ = polls_;
    if (last == polls_) return;
    // Back from the last tick until the charts would hold all they keep: ticks
    // after a failed poll take no sample live, so they do not count.
    const int64_t lastTick = cursorMs_ / kSamplePeriodMs * int64_t{kSamplePeriodMs};
    const int64_t firstPoll = pollTime(0);
    int64_t from = lastTick + kSamplePeriodMs;
    int kept = 0;
    for (int64_t t = lastTick; t >= firstPoll && kept < kKeptSamples; t -= kSamplePeriodMs) {
        if (validAfter_[latestPoll(static_cast<uint32_t>(t))]) ++kept;
        from = t;
    }
    for (int64_t t = from; t <= lastTick; t += kSamplePeriodMs) {
        const std::size_t poll = latestPoll(static_cast<uint32_t>(t));
        if (poll != shownPoll_) present(poll, out, false);
        out.sampleDue(static_cast<uint32_t>(t), segment_);
    }
    present(last, out, true);
}

void ReplayPlayer::anchor() {
    anchorUs_ = clock_.nowUs();
    anchorMs_ = cursorMs_;
}

void ReplayPlayer::start(ReplayOutput& out) {
    playing_ = false;
    seek(polls_ ? pollTime(0) : 0, out);
}

void ReplayPlayer::play(ReplayOutput& out) {
    if (polls_ == 0) return;
    if (cursorMs_ >= durationMs()) seek(pollTime(0), out);
    playing_ = true;
    anchor();
}

void ReplayPlayer::pause(ReplayOutput& out) {
    playing_ = false;
    if (shownQuietly_ && shownPoll_ != polls_) present(shownPoll_, out, true);
}

void ReplayPlayer::togglePlay(ReplayOutput& out) {
    if (playing_)
        pause(out);
    else
        play(out);
}

void ReplayPlayer::setSpeedIndex(int index) {
    speed_ = std::clamp(index, 0, kReplaySpeedCount - 1);
    anchor();
}

void ReplayPlayer::advance(ReplayOutput& out) {
    if (!playing_) return;
    const int64_t elapsedUs = std::max<int64_t>(0, clock_.nowUs() - anchorUs_);
    const int64_t target = anchorMs_ + elapsedUs * SpeedQuarters(speed_) / 4000;
    if (target >= durationMs()) {
        moveTo(durationMs(), out);
        pause(out);
        return;
    }
    if (target > cursorMs_) moveTo(static_cast<uint32_t>(target), out);
}

void ReplayPlayer::seek(uint32_t timeMs, ReplayOutput& out) {
    cursorMs_ = std::min(timeMs, durationMs());
    refill(out);
    anchor();
}

bool ReplayPlayer::stepForward(ReplayOutput& out) {
    pause(out);
    const std::size_t next = shownPoll_ == polls_ ? 0 : shownPoll_ + 1;
    if (next >= polls_) return false;
    moveTo(pollTime(next), out);
    return true;
}

bool ReplayPlayer::stepBack(ReplayOutput& out) {
    pause(out);
    if (shownPoll_ == polls_) return false;
    const uint32_t now = pollTime(shownPoll_);
    for (std::size_t p = shownPoll_; p-- > 0;) {
        if (pollTime(p) < now) {
            seek(pollTime(p), out);
            return true;
        }
    }
    return false;
}

bool ReplayPlayer::jump(const std::vector<uint32_t>& times, bool forward, ReplayOutput& out) {
    if (forward) {
        const auto at = std::upper_bound(times.begin(), times.end(), cursorMs_);
        if (at == times.end()) return false;
        seek(*at, out);
    } else {
        const auto at = std::lower_bound(times.begin(), times.end(), cursorMs_);
        if (at == times.begin()) return false;
        seek(*(at - 1), out);
    }
    return true;
}

bool ReplayPlayer::nextEvent(ReplayOutput& out) {
    return jump(eventTimes_, true, out);
}

bool ReplayPlayer::previousEvent(ReplayOutput& out) {
    return jump(eventTimes_, false, out);
}

bool ReplayPlayer::nextMarker(ReplayOutput& out) {
    return jump(markerTimes_, true, out);
}

bool ReplayPlayer::previousMarker(ReplayOutput& out) {
    return jump(markerTimes_, false, out);
}
