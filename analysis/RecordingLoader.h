#pragma once
// Opening a recording for analysis, off the GUI thread: the file is read in
// pieces (progress, cancel), checked and indexed by the RecordingReader, and
// every poll decoded into an AnalysedRecording. The file is only read.
//
// What is not a recording is known from its first 8 bytes and nothing more is
// read; a recording is read up to kMaxAnalysedBytes (the readable part beyond
// that is left out and the user told so), so no file, however large or
// garbled, takes more memory or time than a recording of that length.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "analysis/AnalysedRecording.h"
#include "analysis/LoadControl.h"

namespace analysis {

// 32 MiB: about 420 000 polls, some 14 hours at the link's usual 8 polls a
// second; analysed, about 140 MB of columns. analysistext::kTooLong says so.
constexpr std::size_t kMaxAnalysedBytes = std::size_t(32) << 20;

// Where the bytes come from: a std::FILE here, the wide-API file on Windows.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // The size in bytes, -1 when it cannot be told (only used for progress).
    virtual int64_t size() = 0;
    // Up to n bytes into `into`; 0 at the end. Sets failed on a read error.
    virtual std::size_t read(uint8_t* into, std::size_t n, bool& failed) = 0;
};

// A file opened with std::fopen as the path stands.
class StdioByteSource : public ByteSource {
  public:
    explicit StdioByteSource(const std::string& path);
    ~StdioByteSource() override;
    bool isOpen() const { return file_ != nullptr; }
    int64_t size() override;
    std::size_t read(uint8_t* into, std::size_t n, bool& failed) override;

  private:
    std::FILE* file_ = nullptr;
};

class MemoryByteSource : public ByteSource {
  public:
    explicit MemoryByteSource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    int64_t size() override { return static_cast<int64_t>(bytes_.size()); }
    std::size_t read(uint8_t* into, std::size_t n, bool& failed) override;

  private:
    std::vector<uint8_t> bytes_;
    std::size_t at_ = 0;
};

enum class LoadStatus {
    Ready,     // recording holds the analysis; message may say what was left out
    Refused,   // nothing to analyse; message says why
    Cancelled, // the window asked to stop
};

struct LoadResult {
    LoadStatus status = LoadStatus::Refused;
    std::shared_ptr<const AnalysedRecording> recording;
    std::string message; // Russian; empty for a whole, plain recording
};

LoadResult LoadRecording(ByteSource& source, LoadControl& control);
// A file by its path (std::fopen; on Windows the window hands its own source).
LoadResult LoadRecordingFile(const std::string& path, LoadControl& control);

// The family a recording is analysed as: the one with a decoder (1..4) that has
// the most polls, 0 when no segment has one.
int AnalysedFamily(const RecordingReader& reader);

} // namespace analysis
