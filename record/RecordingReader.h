#pragma once
// Opens a recording: reads the file into memory, checks each record's frame and
// CRC, and indexes segments, polls and events. A damaged file yields the records
// before the damage with status Damaged; a half-written last record (a crash
// while writing) is dropped quietly: status Ok, truncatedTail() true. A record
// of a type this program does not know, whole and with a good CRC, is skipped.
// Visit records are kept aside (the last one wins), not in the index.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "record/RecordFormat.h"

enum class ReadStatus {
    Ok,
    CannotOpen,   // no such file, no right to read it
    NotRecording, // no signature or no first header
    NewerFormat,  // a format version this program does not know
    Damaged,      // a record fails its check: the records before it are there
};

struct SegmentInfo {
    recfile::RecordingHeader header;
    std::size_t record = 0; // index of its header record
    uint32_t timeMs = 0;
};

struct MarkerInfo {
    int number = 0;
    uint32_t timeMs = 0;
    std::string text; // the latest text given to it
    std::size_t record = 0;
};

class RecordingReader {
  public:
    ReadStatus open(const std::string& path);
    ReadStatus openBytes(std::vector<uint8_t> bytes);

    ReadStatus status() const { return status_; }
    // What to tell the user about the status (nullptr when Ok).
    const char* message() const;
    bool truncatedTail() const { return truncatedTail_; }
    std::size_t validBytes() const { return validBytes_; }

    std::size_t recordCount() const { return index_.size(); }
    recfile::RecordType type(std::size_t i) const;
    uint32_t timeMs(std::size_t i) const; // never less than the record before
    // False when i is out of range.
    bool record(std::size_t i, recfile::Record& out) const;

    const std::vector<SegmentInfo>& segments() const { return segments_; }
    // The segment a record belongs to.
    std::size_t segmentOf(std::size_t i) const;

    std::size_t pollCount() const { return polls_.size(); }
    std::size_t pollRecord(std::size_t k) const { return polls_[k]; }
    // The last poll at or before timeMs (0 when timeMs is before the first);
    // 0 also when there are no polls.
    std::size_t seekPoll(uint32_t timeMs) const;
    // The first record at or after timeMs (recordCount() when there is none).
    std::size_t seekRecord(uint32_t timeMs) const;
    uint32_t durationMs() const { return index_.empty() ? 0 : index_.back().timeMs; }

    // Record indexes of every event (not headers, not polls), in time order.
    const std::vector<std::size_t>& events() const { return events_; }
    const std::vector<MarkerInfo>& markers() const { return markers_; }

    // The vehicle and visit: the last Visit record's (empty when there is none).
    const recfile::Visit& visit() const { return visit_; }
    bool hasVisit() const { return hasVisit_; }
    // Records of types this program does not know that were skipped.
    std::size_t skippedRecords() const { return skipped_; }

  private:
    struct Entry {
        uint32_t offset;
        uint32_t timeMs;
        recfile::RecordType type;
    };
    void build();

    std::vector<uint8_t> bytes_;
    ReadStatus status_ = ReadStatus::CannotOpen;
    bool truncatedTail_ = false;
    std::size_t validBytes_ = 0;
    std::vector<Entry> index_;
    std::vector<SegmentInfo> segments_;
    std::vector<std::size_t> polls_;
    std::vector<std::size_t> events_;
    std::vector<MarkerInfo> markers_;
    recfile::Visit visit_;
    bool hasVisit_ = false;
    std::size_t skipped_ = 0;
};
