#include "checks/LiveCheckRing.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "analysis/PollDecoder.h"
#include "record/PreRoll.h"
#include "record/RecordFormat.h"

namespace checks {

LiveCheckRing::LiveCheckRing(std::function<int()> family, std::function<int64_t()> clock,
                             std::size_t capacity, int64_t spanMs)
    : family_(std::move(family)), clock_(std::move(clock)),
      capacity_(std::max<std::size_t>(capacity, 1)), spanMs_(spanMs), times_(capacity_),
      flags_(capacity_), outcomes_(capacity_) {}

LiveCheckRing::~LiveCheckRing() = default;

void LiveCheckRing::restartLocked(int family) {
    if (!decoder_ || family != decoderFamily_) {
        decoder_ = std::make_unique<analysis::PollDecoder>(family);
        decoderFamily_ = family;
        const int channels = decoder_->channelCount();
        if (channels != channels_ || !values_)
            values_.reset(new float[static_cast<std::size_t>(std::max(channels, 1)) * capacity_]);
        channels_ = channels;
        row_.assign(static_cast<std::size_t>(channels_), NAN);
    }
    dataFamily_ = family;
    head_ = count_ = 0;
    events_.clear();
    codes_.reset();
    breakPending_ = false;
    dropped_ = 0;
    ++revision_;
}

void LiveCheckRing::dropOldestLocked() {
    head_ = (head_ + 1) % capacity_;
    --count_;
    ++dropped_;
    // The events before the oldest poll go with it.
    const int64_t oldest = count_ ? times_[head_] : INT64_MAX;
    while (!events_.empty() && events_.front().ms < oldest)
        events_.pop_front();
}

void LiveCheckRing::replyJudged(const JudgedReply& reply) {
    const KeptPoll poll = KeepPoll(reply); // good as the recording judges it
    const int family = family_ ? family_() : 0;
    std::lock_guard<std::mutex> guard(lock_);
    if (family != dataFamily_ || !decoder_) {
        restartLocked(family);
        zeroMs_ = poll.timeMs;
    }
    if (count_ == capacity_) dropOldestLocked();
    while (count_ > 0 && poll.timeMs - times_[head_] > spanMs_)
        dropOldestLocked();

    const std::size_t s = slot(count_++);
    times_[s] = poll.timeMs;
    outcomes_[s] = poll.outcome;
    flags_[s] = static_cast<uint8_t>((poll.hasReply ? LiveCheckData::kGood : 0) |
                                     (breakPending_ ? LiveCheckData::kBreak : 0));
    breakPending_ = false;
    if (poll.hasReply)
        decoder_->decode(poll.reply, row_.data());
    else
        std::fill(row_.begin(), row_.end(), NAN);
    for (int c = 0; c < channels_; ++c)
        values_[static_cast<std::size_t>(c) * capacity_ + s] = row_[static_cast<std::size_t>(c)];
    if (poll.hasReply)
        for (const CodeChange& change : codes_.next(poll.reply, dataFamily_)) {
            CheckEvent e;
            e.kind = change.appeared ? CheckEvent::Kind::CodeAppeared : CheckEvent::Kind::CodeGone;
            e.errorByte = change.errorByte;
            e.bit = change.bit;
            addEventLocked(std::move(e), poll.timeMs);
        }
    ++revision_;
}

void LiveCheckRing::addEventLocked(CheckEvent event, int64_t ms) {
    events_.push_back({ms, std::move(event)});
    ++revision_;
}

void LiveCheckRing::commandExchanged(const uint8_t* frame, std::size_t size,
                                     CommandOutcome outcome) {
    CheckEvent e;
    e.kind = CheckEvent::Kind::Command;
    e.verdict = outcome == CommandOutcome::Confirmed ? recfile::CommandVerdict::Confirmed
                                                     : recfile::CommandVerdict::Rejected;
    if (frame) e.frame.assign(frame, frame + std::min(size, recfile::kMaxCommandFrame));
    const int64_t now = clock_();
    std::lock_guard<std::mutex> guard(lock_);
    addEventLocked(std::move(e), now);
}

void LiveCheckRing::clearCodesSent() {
    CheckEvent e;
    e.kind = CheckEvent::Kind::ClearCodes;
    const int64_t now = clock_();
    std::lock_guard<std::mutex> guard(lock_);
    addEventLocked(std::move(e), now);
}

void LiveCheckRing::linkStarted(const VehicleChoice& vehicle) {
    std::lock_guard<std::mutex> guard(lock_);
    if (vehicle != vehicle_) {
        vehicle_ = vehicle;
        dataFamily_ = 0; // the next poll starts afresh
        head_ = count_ = 0;
        events_.clear();
        ++revision_;
    }
    breakPending_ = true;
}

void LiveCheckRing::linkStopped() {
    std::lock_guard<std::mutex> guard(lock_);
    breakPending_ = true;
}

void LiveCheckRing::snapshot(LiveCheckData& into) const {
    std::lock_guard<std::mutex> guard(lock_);
    const std::size_t n = count_;
    into.family_ = dataFamily_;
    into.revision_ = revision_;
    into.dropped_ = dropped_;
    into.times_.resize(n);
    into.flags_.resize(n);
    into.outcomes_.resize(n);
    into.columns_.resize(n ? static_cast<std::size_t>(channels_) : 0);
    // The ring in two pieces: from the oldest to the end of the slots, then from slot 0.
    const std::size_t first = std::min(n, capacity_ - head_), second = n - first;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t s = slot(i);
        into.times_[i] = static_cast<uint32_t>(times_[s] - zeroMs_);
        into.flags_[i] = flags_[s];
        into.outcomes_[i] = outcomes_[s];
    }
    for (std::size_t c = 0; c < into.columns_.size(); ++c) {
        std::vector<float>& column = into.columns_[c];
        column.resize(n);
        const float* from = values_.get() + c * capacity_;
        std::memcpy(column.data(), from + head_, first * sizeof(float));
        std::memcpy(column.data() + first, from, second * sizeof(float));
    }
    // The events within the polls' time, as a recording's span reads them.
    into.events_.clear();
    if (n == 0) return;
    const int64_t from = times_[head_], to = times_[slot(n - 1)];
    for (const TimedEvent& e : events_) {
        if (e.ms < from) continue;
        if (e.ms > to) break;
        into.events_.push_back(e.event);
        into.events_.back().timeMs = static_cast<uint32_t>(e.ms - zeroMs_);
    }
}

uint64_t LiveCheckRing::revision() const {
    std::lock_guard<std::mutex> guard(lock_);
    return revision_;
}

std::size_t LiveCheckRing::size() const {
    std::lock_guard<std::mutex> guard(lock_);
    return count_;
}

} // namespace checks
