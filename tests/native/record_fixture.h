#pragma once
// A disk in memory for the recording tests: what was flushed is what a crash
// would leave; it can run out of room or refuse, or hold writes at a gate.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "record/RecordFile.h"
#include "record/RecordFormat.h"

namespace recfile {
// How a failed test shows a visit.
inline void PrintTo(const Visit& v, std::ostream* out) {
    *out << "{" << v.plate << " | " << v.vin << " | " << v.odometerKm << " | " << v.complaint.size()
         << " bytes | " << v.workDone.size() << " bytes}";
}
} // namespace recfile

class MemoryFile : public RecordFile {
  public:
    FileError create(const std::string& path) override {
        std::lock_guard<std::mutex> guard(lock_);
        if (existing.count(path)) return FileError::Exists;
        if (refuseCreate != FileError::None) return refuseCreate;
        existing.insert(path);
        created = path;
        return FileError::None;
    }
    FileError openAppend(const std::string& path) override {
        std::lock_guard<std::mutex> guard(lock_);
        return existing.count(path) ? FileError::None : FileError::Other;
    }
    FileError append(const uint8_t* data, std::size_t size) override {
        std::unique_lock<std::mutex> guard(lock_);
        ++appends;
        gate_.wait(guard, [this] { return open_; });
        if (written.size() + size > room) {
            written.insert(written.end(), data, data + (room - written.size()));
            return FileError::NoSpace;
        }
        written.insert(written.end(), data, data + size);
        return FileError::None;
    }
    FileError flush() override {
        std::lock_guard<std::mutex> guard(lock_);
        ++flushes;
        flushed = written;
        return FileError::None;
    }
    void close() override {}

    // Holds every append until opened again.
    void hold() {
        std::lock_guard<std::mutex> guard(lock_);
        open_ = false;
    }
    void release() {
        {
            std::lock_guard<std::mutex> guard(lock_);
            open_ = true;
        }
        gate_.notify_all();
    }
    int appendCount() {
        std::lock_guard<std::mutex> guard(lock_);
        return appends;
    }

    std::set<std::string> existing;
    FileError refuseCreate = FileError::None;
    std::size_t room = SIZE_MAX;
    std::string created;
    std::vector<uint8_t> written;
    std::vector<uint8_t> flushed;
    int appends = 0;
    int flushes = 0;

  private:
    std::mutex lock_;
    std::condition_variable gate_;
    bool open_ = true;
};
