#pragma once
// What a look over the recordings folder asks of the disk: the recordings in a
// folder and a part of one file. The program's is record/RecordingFolder_win32.h;
// the host tests have one over std::filesystem (record/RecordingFolder_host.cpp).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class RecordingFolder {
  public:
    virtual ~RecordingFolder() = default;
    // The paths of the ".mrec" files in folder itself (UTF-8, in no order); none
    // when the folder cannot be read.
    virtual std::vector<std::string> recordings(const std::string& folder) = 0;
    // Up to size bytes of the file from offset into out, and the file's whole size;
    // false when it cannot be read.
    virtual bool readPart(const std::string& path, uint64_t offset, std::size_t size,
                          std::vector<uint8_t>& out, uint64_t& fileSize) = 0;
};

// Over std::filesystem and std::FILE (host builds only).
class HostRecordingFolder : public RecordingFolder {
  public:
    std::vector<std::string> recordings(const std::string& folder) override;
    bool readPart(const std::string& path, uint64_t offset, std::size_t size,
                  std::vector<uint8_t>& out, uint64_t& fileSize) override;
};
