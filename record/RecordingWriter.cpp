#include "record/RecordingWriter.h"

#include <algorithm>

using recfile::Record;
using recfile::RecordType;

FileError RecordingWriter::begin(const std::string& path, const recfile::RecordingHeader& header,
                                 int64_t nowMs) {
    error_ = file_.create(path);
    if (error_ != FileError::None) return error_;
    open_ = true;
    polls_ = goodReplies_ = 0;
    pending_.assign(std::begin(recfile::kSignature), std::end(recfile::kSignature));
    Record first;
    first.type = RecordType::SegmentHeader;
    first.header = header;
    recfile::EncodeRecord(first, pending_);
    flush(nowMs);
    return error_;
}

void RecordingWriter::write(const Record& record, int64_t nowMs) {
    if (!open_ || error_ != FileError::None) return;
    recfile::EncodeRecord(record, pending_);
    if (record.type == RecordType::Poll) {
        ++polls_;
        if (record.hasReply) ++goodReplies_;
    }
    // What the user typed goes to the disk at once.
    if (record.type == RecordType::Marker || record.type == RecordType::MarkerText ||
        record.type == RecordType::Visit)
        flush(nowMs);
}

void RecordingWriter::poll(uint32_t timeMs, PollOutcome outcome, int received,
                           const uint8_t* buffer, int64_t nowMs) {
    Record r;
    r.type = RecordType::Poll;
    r.timeMs = timeMs;
    r.outcome = outcome;
    r.received = static_cast<uint8_t>(received < 0 ? 0 : received > 255 ? 255 : received);
    JudgedReply judged;
    judged.outcome = outcome;
    judged.received = received;
    r.hasReply = buffer && judged.replyGood();
    if (r.hasReply) std::copy(buffer, buffer + kGoodReplySize, r.reply.begin());
    write(r, nowMs);
}

void RecordingWriter::newSegment(const recfile::RecordingHeader& header, uint32_t timeMs,
                                 int64_t nowMs) {
    Record r;
    r.type = RecordType::SegmentHeader;
    r.timeMs = timeMs;
    r.header = header;
    write(r, nowMs);
}

void RecordingWriter::tick(int64_t nowMs) {
    if (nowMs - lastFlushMs_ >= kFlushIntervalMs) flush(nowMs);
}

void RecordingWriter::flush(int64_t nowMs) {
    lastFlushMs_ = nowMs;
    if (!open_ || error_ != FileError::None) return;
    if (!pending_.empty()) error_ = file_.append(pending_.data(), pending_.size());
    pending_.clear();
    if (error_ == FileError::None) error_ = file_.flush();
}

FileError RecordingWriter::finish(int64_t nowMs) {
    if (!open_) return error_;
    flush(nowMs);
    file_.close();
    open_ = false;
    return error_;
}
