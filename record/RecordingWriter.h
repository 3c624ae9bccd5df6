#pragma once
// Writes one recording: the signature and first segment header, then records
// as they come. Records gather in memory and go to the file at each flush:
// when tick() finds a second has passed since the last one, at every marker and
// visit, and at finish(). The first disk error stops the writing for good; what was
// flushed before it stays readable.
#include <cstdint>
#include <string>
#include <vector>

#include "record/FileErrorTexts.h"
#include "record/RecordFile.h"
#include "record/RecordFormat.h"

constexpr int64_t kFlushIntervalMs = 1000;

class RecordingWriter {
  public:
    explicit RecordingWriter(RecordFile& file) : file_(file) {}
    RecordingWriter(const RecordingWriter&) = delete;
    RecordingWriter& operator=(const RecordingWriter&) = delete;

    // Creates path (never over an existing file) and writes the first header.
    // nowMs is the flush clock's reading.
    FileError begin(const std::string& path, const recfile::RecordingHeader& header, int64_t nowMs);

    // Any record; a Marker, MarkerText or Visit is flushed at once. Ignored after an error.
    void write(const recfile::Record& record, int64_t nowMs);
    // A poll as judged; the 68 bytes are kept when the reply is good.
    void poll(uint32_t timeMs, PollOutcome outcome, int received, const uint8_t* buffer,
              int64_t nowMs);
    // A new car or engine: a header of its own opens the next segment.
    void newSegment(const recfile::RecordingHeader& header, uint32_t timeMs, int64_t nowMs);

    // Flushes when kFlushIntervalMs have passed since the last flush.
    void tick(int64_t nowMs);
    void flush(int64_t nowMs);
    // Flushes and closes; the error, if any.
    FileError finish(int64_t nowMs);

    FileError error() const { return error_; }
    bool open() const { return open_; }
    int polls() const { return polls_; }
    int goodReplies() const { return goodReplies_; }

  private:
    RecordFile& file_;
    std::vector<uint8_t> pending_;
    FileError error_ = FileError::None;
    bool open_ = false;
    int64_t lastFlushMs_ = 0;
    int polls_ = 0;
    int goodReplies_ = 0;
};
