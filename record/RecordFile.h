#pragma once
// Where a recording goes: a file that is created (never over an existing one)
// and then only appended to. The Win32 side and tests supply their own; the
// std::FILE one below serves the host and works under mingw too.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

enum class FileError {
    None,
    Exists,       // a file of that name is there already: nothing was touched
    NoSpace,      // the disk is full
    NoPermission, // no right to create or write (or a read-only disk)
    Other,
};

class RecordFile {
  public:
    virtual ~RecordFile() = default;
    // Creates path for writing; fails with Exists rather than truncating a file.
    virtual FileError create(const std::string& path) = 0;
    // Opens an existing file to add to its end (a marker's text given in replay).
    virtual FileError openAppend(const std::string& path) = 0;
    // Appends size bytes; a short write reports why.
    virtual FileError append(const uint8_t* data, std::size_t size) = 0;
    // Hands everything appended so far to the system.
    virtual FileError flush() = 0;
    virtual void close() = 0;
};

// std::FILE-based: the path is passed to fopen as it stands.
class StdioRecordFile : public RecordFile {
  public:
    ~StdioRecordFile() override;
    FileError create(const std::string& path) override;
    FileError openAppend(const std::string& path) override;
    FileError append(const uint8_t* data, std::size_t size) override;
    FileError flush() override;
    void close() override;

  private:
    std::FILE* file_ = nullptr;
};

// What errno says, as a FileError.
FileError FileErrorFromErrno(int error);
