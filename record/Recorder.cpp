#include "record/Recorder.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "record/RecordTexts.h"
#include "record/TroubleCodeLabels.h"

using recfile::Record;
using recfile::RecordType;

Recorder::Recorder(RecordFile& file, std::function<int64_t()> clock, std::size_t queueCapacity)
    : file_(file), clock_(std::move(clock)), writer_(file),
      queue_(std::max<std::size_t>(queueCapacity, 1)), drained_(queue_.size()) {}

Recorder::~Recorder() {
    if (thread_.joinable()) stop();
}

uint32_t Recorder::recordTime(int64_t monoMs) const {
    const int64_t t = monoMs - zeroMs_;
    return static_cast<uint32_t>(std::clamp<int64_t>(t, 0, 0xFFFFFFFFLL));
}

uint32_t Recorder::fileTime(int64_t monoMs) {
    lastTimeMs_ = std::max(lastTimeMs_, recordTime(monoMs));
    return lastTimeMs_;
}

Record* Recorder::slot() {
    if (count_ == queue_.size()) {
        ++dropped_;
        return nullptr;
    }
    return &queue_[(head_ + count_++) % queue_.size()];
}

void Recorder::notePoll(const KeptPoll& poll, const std::function<void(Record&)>& put) {
    Record r;
    r.type = RecordType::Poll;
    r.timeMs = fileTime(poll.timeMs);
    r.outcome = poll.outcome;
    r.received = static_cast<uint8_t>(std::clamp(poll.received, 0, 255));
    r.hasReply = poll.hasReply;
    if (poll.hasReply) std::copy(poll.reply, poll.reply + kGoodReplySize, r.reply.begin());
    put(r);
    if (!poll.hasReply) return;
    for (const CodeChange& change : codes_.next(poll.reply, family_)) {
        Record event;
        event.type = change.appeared ? RecordType::CodeAppeared : RecordType::CodeGone;
        event.timeMs = r.timeMs;
        event.errorByte = change.errorByte;
        event.bit = change.bit;
        put(event);
        if (!change.appeared) continue;
        // A code that appears is marked by itself.
        Record mark;
        mark.type = RecordType::Marker;
        mark.timeMs = r.timeMs;
        mark.number = nextMarker_++;
        mark.text = std::string(rectext::kCodeAppeared) + " " +
                    TroubleCodeLabel(change.errorByte, change.bit);
        put(mark);
    }
}

void Recorder::replyJudged(const JudgedReply& reply) {
    const KeptPoll kept = KeepPoll(reply);
    bool wake = false;
    {
        std::lock_guard<std::mutex> guard(lock_);
        preRoll_.push(kept);
        if (!recording_.load() || stopping_) return;
        // The poll record is copied into its slot: no allocation.
        notePoll(kept, [this](Record& r) {
            if (Record* into = slot()) {
                if (r.type == RecordType::Poll) {
                    into->type = r.type;
                    into->timeMs = r.timeMs;
                    into->outcome = r.outcome;
                    into->received = r.received;
                    into->hasReply = r.hasReply;
                    into->reply = r.reply;
                } else {
                    std::swap(*into, r);
                }
            }
        });
        // The writer drains every kDrainMs by itself; it is woken early only
        // when the queue is half full, so a poll costs no wake-up.
        wake = count_ * 2 >= queue_.size() && !urgent_;
        urgent_ = urgent_ || wake;
    }
    if (wake) wake_.notify_one();
}

bool Recorder::queueLocked(Record& record, int64_t monoMs) {
    if (!recording_.load() || stopping_) return false;
    record.timeMs = fileTime(monoMs);
    if (record.type == RecordType::SegmentHeader) {
        family_ = record.header.family;
        codes_.reset();
    }
    urgent_ = true; // a full queue wakes the writer too
    Record* into = slot();
    if (into == nullptr) return false;
    std::swap(*into, record);
    return true;
}

void Recorder::queueEvent(Record record, int64_t monoMs) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        queueLocked(record, monoMs);
    }
    wake_.notify_one();
}

FileError Recorder::start(const std::string& path, recfile::RecordingHeader header,
                          const LocalTime& wallNow, int64_t monoNowMs,
                          const recfile::Visit& visit) {
    if (thread_.joinable()) return FileError::Other;
    std::vector<KeptPoll> before;
    {
        std::lock_guard<std::mutex> guard(lock_);
        before = preRoll_.newest();
    }
    const int64_t zero = before.empty() ? monoNowMs : std::min(before.front().timeMs, monoNowMs);
    header.startDateTime = FormatIso(Later(wallNow, zero - monoNowMs));
    if (!visit.empty()) header.formatVersion = recfile::kFormatVersion;
    const FileError error = writer_.begin(path, header, clock_());
    if (error != FileError::None) {
        writer_.finish(clock_());
        return error;
    }
    if (!visit.empty()) {
        Record typed;
        typed.type = RecordType::Visit;
        typed.visit = visit;
        writer_.write(typed, clock_()); // at time zero, flushed at once
        if (writer_.error() != FileError::None) return writer_.finish(clock_());
    }
    {
        // The minutes before go into the writer's buffer (memory only) under the
        // lock, so that replies judged meanwhile queue up after them.
        std::lock_guard<std::mutex> guard(lock_);
        zeroMs_ = zero;
        lastTimeMs_ = 0;
        head_ = count_ = 0;
        dropped_ = 0;
        nextMarker_ = 1;
        stopping_ = false;
        family_ = header.family;
        codes_.reset();
        failure_.store(nullptr);
        const int64_t now = clock_();
        // Taken again: replies judged while the file was being created count too.
        Record started;
        started.type = RecordType::RecordStart;
        bool startWritten = false;
        for (const KeptPoll& poll : preRoll_.newest()) {
            if (poll.timeMs < zero) continue;
            if (!startWritten && poll.timeMs > monoNowMs) {
                started.timeMs = fileTime(monoNowMs);
                writer_.write(started, now);
                startWritten = true;
            }
            notePoll(poll, [&](Record& r) { writer_.write(r, now); });
        }
        if (!startWritten) {
            started.timeMs = fileTime(monoNowMs);
            writer_.write(started, now);
        }
        recording_.store(true);
    }
    thread_ = std::thread(&Recorder::run, this);
    return FileError::None;
}

RecorderStop Recorder::stop() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
        recording_.store(false);
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
    RecorderStop result;
    result.error = writer_.error();
    result.polls = writer_.polls();
    result.goodReplies = writer_.goodReplies();
    {
        std::lock_guard<std::mutex> guard(lock_);
        result.dropped = dropped_;
        stopping_ = false;
    }
    result.message = StopMessage(result.error);
    if (!result.message && result.goodReplies == 0) result.message = rectext::kNoReplies;
    if (!result.message && result.dropped > 0) result.message = rectext::kQueueOverflow;
    return result;
}

void Recorder::run() {
    for (;;) {
        std::size_t n = 0, first = 0;
        bool last = false;
        {
            // The whole ring changes hands: the lock is held for a swap, not a copy.
            std::unique_lock<std::mutex> guard(lock_);
            wake_.wait_for(guard, std::chrono::milliseconds(kDrainMs),
                           [this] { return stopping_ || urgent_; });
            urgent_ = false;
            n = count_;
            first = head_;
            std::swap(queue_, drained_);
            head_ = count_ = 0;
            last = stopping_;
        }
        for (std::size_t i = 0; i < n; ++i)
            writer_.write(drained_[(first + i) % drained_.size()], clock_());
        writer_.tick(clock_());
        if (writer_.error() != FileError::None) {
            failure_.store(StopMessage(writer_.error()));
            std::lock_guard<std::mutex> guard(lock_);
            recording_.store(false);
            break;
        }
        if (last) break;
    }
    writer_.finish(clock_());
}

void Recorder::linkStarted(int64_t monoMs) {
    Record r;
    r.type = RecordType::LinkStart;
    queueEvent(std::move(r), monoMs);
}

void Recorder::linkStopped(int64_t monoMs) {
    Record r;
    r.type = RecordType::LinkStop;
    queueEvent(std::move(r), monoMs);
}

void Recorder::commandSent(int64_t monoMs, const uint8_t* frame, std::size_t size,
                           recfile::CommandVerdict verdict) {
    Record r;
    r.type = RecordType::Command;
    r.verdict = verdict;
    if (frame) r.frame.assign(frame, frame + std::min(size, recfile::kMaxCommandFrame));
    queueEvent(std::move(r), monoMs);
}

void Recorder::clearCodesRequested(int64_t monoMs) {
    Record r;
    r.type = RecordType::ClearCodes;
    queueEvent(std::move(r), monoMs);
}

int Recorder::marker(int64_t monoMs, const std::string& text) {
    Record r;
    r.type = RecordType::Marker;
    r.text = text;
    // The number is taken and the marker queued under one lock: a number the user
    // is shown is always one that goes to the file.
    int number = 0;
    {
        std::lock_guard<std::mutex> guard(lock_);
        r.number = nextMarker_;
        if (queueLocked(r, monoMs)) number = nextMarker_++;
    }
    wake_.notify_one();
    return number;
}

void Recorder::markerText(int64_t monoMs, int number, const std::string& text) {
    Record r;
    r.type = RecordType::MarkerText;
    r.number = number;
    r.text = text;
    queueEvent(std::move(r), monoMs);
}

void Recorder::visitChanged(int64_t monoMs, const recfile::Visit& visit) {
    Record r;
    r.type = RecordType::Visit;
    r.visit = visit;
    queueEvent(std::move(r), monoMs);
}

void Recorder::vehicleChanged(recfile::RecordingHeader header, const LocalTime& wallNow,
                              int64_t monoNowMs) {
    Record r;
    r.type = RecordType::SegmentHeader;
    header.startDateTime = FormatIso(wallNow);
    r.header = std::move(header);
    queueEvent(std::move(r), monoNowMs);
}

void Recorder::clearPreRoll() {
    std::lock_guard<std::mutex> guard(lock_);
    preRoll_.clear();
}
