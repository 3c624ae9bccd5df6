#pragma once
// A recording's file for the analysis loader on Windows: the UTF-8 path opened
// with the wide API for reading only (others may go on writing it), so that
// folders such as "Documents\MOTOSKOP\Записи" open whatever the ANSI code page.
#include <memory>
#include <string>

#include "analysis/RecordingLoader.h"

namespace analysis {

class Win32ByteSource : public ByteSource {
  public:
    explicit Win32ByteSource(const std::string& path);
    ~Win32ByteSource() override;
    Win32ByteSource(const Win32ByteSource&) = delete;
    Win32ByteSource& operator=(const Win32ByteSource&) = delete;

    bool isOpen() const { return handle_ != nullptr; }
    int64_t size() override;
    std::size_t read(uint8_t* into, std::size_t n, bool& failed) override;

  private:
    void* handle_ = nullptr; // a HANDLE; nullptr when the file could not be opened
};

// The file at the UTF-8 path, or nullptr when it cannot be opened (then tell the
// user rectext::kCannotOpen).
std::unique_ptr<ByteSource> OpenAnalysisFile(const std::string& path);

} // namespace analysis
