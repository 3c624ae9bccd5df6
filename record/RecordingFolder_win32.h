#pragma once
// The recordings folder on Windows: UTF-8 paths through the wide API.
#include "record/RecordingFolder.h"

class Win32RecordingFolder : public RecordingFolder {
  public:
    std::vector<std::string> recordings(const std::string& folder) override;
    bool readPart(const std::string& path, uint64_t offset, std::size_t size,
                  std::vector<uint8_t>& out, uint64_t& fileSize) override;
};
