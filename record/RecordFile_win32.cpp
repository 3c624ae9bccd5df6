#include "record/RecordFile_win32.h"

#include <windows.h>

#include "platform/TextConversion.h"

namespace {

FileError LastError() {
    const FileError error = FileErrorFromWin32(GetLastError());
    return error == FileError::None ? FileError::Other : error;
}

} // namespace

FileError FileErrorFromWin32(unsigned long error) {
    switch (error) {
    case ERROR_SUCCESS:
        return FileError::None;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return FileError::Exists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
        return FileError::NoSpace;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_PRIVILEGE_NOT_HELD:
        return FileError::NoPermission;
    default:
        return FileError::Other;
    }
}

Win32RecordFile::~Win32RecordFile() {
    close();
}

FileError Win32RecordFile::create(const std::string& path) {
    close();
    // CREATE_NEW: an existing file is never truncated.
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastError();
    handle_ = file;
    return FileError::None;
}

FileError Win32RecordFile::openAppend(const std::string& path) {
    close();
    HANDLE file = CreateFileW(Widen(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastError();
    handle_ = file;
    return FileError::None;
}

FileError Win32RecordFile::append(const uint8_t* data, std::size_t size) {
    if (!handle_) return FileError::Other;
    while (size > 0) {
        const DWORD piece = size > 0x10000000u ? 0x10000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(static_cast<HANDLE>(handle_), data, piece, &written, nullptr))
            return LastError();
        if (written == 0) return FileError::NoSpace;
        data += written;
        size -= written;
    }
    return FileError::None;
}

FileError Win32RecordFile::flush() {
    if (!handle_) return FileError::Other;
    // WriteFile has handed the bytes to the system already; this also puts them on the disk.
    if (!FlushFileBuffers(static_cast<HANDLE>(handle_))) return LastError();
    return FileError::None;
}

void Win32RecordFile::close() {
    if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, FileError& why) {
    bytes.clear();
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        why = LastError();
        return false;
    }
    uint8_t chunk[65536];
    DWORD n = 0;
    bool ok = true;
    while ((ok = ReadFile(file, chunk, sizeof chunk, &n, nullptr) != 0) && n > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    if (!ok) why = LastError();
    CloseHandle(file);
    if (!ok) bytes.clear();
    return ok;
}

ReadStatus OpenRecording(RecordingReader& reader, const std::string& path) {
    std::vector<uint8_t> bytes;
    FileError why = FileError::None;
    if (!ReadWholeFile(path, bytes, why)) {
        reader = RecordingReader();
        return reader.status();
    }
    return reader.openBytes(std::move(bytes));
}
