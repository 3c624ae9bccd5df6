#pragma once
// The recording as the program runs it. It is the link cycle's reply tap
// (LinkCycle::SetReplyTap): each judged reply is copied into the minutes-before
// ring and, while recording, into a fixed queue under a short lock; a writer
// thread of its own drains the queue to the file, so the link thread never
// waits on the disk. The GUI adds the events and markers, starts and stops.
//
// Times given to it are the link's monotonic milliseconds (JudgedReply::timeMs);
// the file holds them as milliseconds since its first record.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/JudgedReply.h"
#include "record/CodeWatch.h"
#include "record/IsoTime.h"
#include "record/PreRoll.h"
#include "record/RecordingWriter.h"

constexpr std::size_t kRecorderQueueCapacity = 4096;
constexpr int kDrainMs = 100; // the writer thread looks at the queue this often

struct RecorderStop {
    FileError error = FileError::None;
    int polls = 0;
    int goodReplies = 0;
    int dropped = 0; // polls lost because the disk fell behind by a whole queue
    // What to tell the user (nullptr: nothing to say): the disk error, else
    // "no replies" when not one good reply was written.
    const char* message = nullptr;
};

class Recorder : public ReplySink {
  public:
    // clock: the flush clock in milliseconds (a steady clock in the program).
    Recorder(RecordFile& file, std::function<int64_t()> clock,
             std::size_t queueCapacity = kRecorderQueueCapacity);
    ~Recorder() override;
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Link thread.
    void replyJudged(const JudgedReply& reply) override;

    // Starts writing path: header.startDateTime is filled in here from wallNow
    // (the wall clock at monoNowMs), moved back to the oldest reply of the
    // minutes before, which come first. A visit that is not empty goes right
    // after the header (which then says version 2), so that a reader of the
    // file's head finds it. Fails with the file's error (Other while a recording
    // that failed by itself has not been stop()ped yet).
    FileError start(const std::string& path, recfile::RecordingHeader header,
                    const LocalTime& wallNow, int64_t monoNowMs,
                    const recfile::Visit& visit = recfile::Visit());
    // Stops, writes what is queued and closes the file.
    RecorderStop stop();
    bool recording() const { return recording_.load(); }
    // Set when the disk failed and the recording stopped itself: the message
    // to show. stop() still has to be called to collect the result.
    const char* failure() const { return failure_.load(); }

    // Events in the timeline (ignored when not recording).
    void linkStarted(int64_t monoMs);
    void linkStopped(int64_t monoMs);
    void commandSent(int64_t monoMs, const uint8_t* frame, std::size_t size,
                     recfile::CommandVerdict verdict);
    void clearCodesRequested(int64_t monoMs);
    // The next marker number (1, 2, ...), or 0 when not recording.
    int marker(int64_t monoMs, const std::string& text = std::string());
    void markerText(int64_t monoMs, int number, const std::string& text);
    // The vehicle and visit typed again while recording: a Visit record, on the disk at once.
    void visitChanged(int64_t monoMs, const recfile::Visit& visit);
    // A new car or engine: a new segment (header.startDateTime from wallNow).
    void vehicleChanged(recfile::RecordingHeader header, const LocalTime& wallNow,
                        int64_t monoNowMs);

    // Forgets the minutes before (a new connection starts afresh).
    void clearPreRoll();

  private:
    uint32_t recordTime(int64_t monoMs) const;
    // The time a record goes to the file with (lock held): never before the record
    // queued last, so a reply judged just before START of recording but handed over
    // after it still keeps the file's times in order.
    uint32_t fileTime(int64_t monoMs);
    // Queues record (lock held); false when not recording or the queue is full.
    bool queueLocked(recfile::Record& record, int64_t monoMs);
    void queueEvent(recfile::Record record, int64_t monoMs);
    // Under lock_: the next free queue slot (nullptr and counted when full), and
    // a poll with the code events and markers it brings, handed to put.
    recfile::Record* slot();
    void notePoll(const KeptPoll& poll, const std::function<void(recfile::Record&)>& put);
    void run();

    RecordFile& file_;
    std::function<int64_t()> clock_;
    RecordingWriter writer_;

    std::mutex lock_;
    CodeWatch codes_;
    int family_ = 0;
    std::condition_variable wake_;
    PreRoll preRoll_;
    std::vector<recfile::Record> queue_; // fixed ring
    std::size_t head_ = 0, count_ = 0;
    std::vector<recfile::Record> drained_; // the ring last taken by the writer thread
    int64_t zeroMs_ = 0;
    uint32_t lastTimeMs_ = 0; // the time of the record queued last
    int nextMarker_ = 1;
    int dropped_ = 0;
    bool stopping_ = false;
    bool urgent_ = false; // an event, a half-full queue or a stop: drain now
    std::atomic<bool> recording_{false};
    std::atomic<const char*> failure_{nullptr};
    std::thread thread_;
};
