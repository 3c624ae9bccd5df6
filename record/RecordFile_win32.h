#pragma once
// The recording's files on Windows: UTF-8 paths opened with the wide API, so that
// folders such as "Documents\MOTOSKOP\Записи" work whatever the ANSI code page is.
#include <cstdint>
#include <string>
#include <vector>

#include "record/RecordFile.h"
#include "record/RecordingReader.h"

class Win32RecordFile : public RecordFile {
  public:
    ~Win32RecordFile() override;
    FileError create(const std::string& path) override;
    FileError openAppend(const std::string& path) override;
    FileError append(const uint8_t* data, std::size_t size) override;
    FileError flush() override;
    void close() override;

  private:
    void* handle_ = nullptr; // a HANDLE; nullptr when closed
};

// What GetLastError says, as a FileError.
FileError FileErrorFromWin32(unsigned long error);

// Reads the whole file at the UTF-8 path; false with why when it cannot.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, FileError& why);

// RecordingReader::open for a UTF-8 path on Windows.
ReadStatus OpenRecording(RecordingReader& reader, const std::string& path);
