#include "record/RecordingFolder_win32.h"

#include <windows.h>

#include "platform/Paths.h"
#include "platform/TextConversion.h"

std::vector<std::string> Win32RecordingFolder::recordings(const std::string& folder) {
    std::vector<std::string> paths;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(Widen(JoinPath(folder, "*.mrec")).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return paths;
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            paths.push_back(JoinPath(folder, Narrow(found.cFileName)));
    while (FindNextFileW(find, &found));
    FindClose(find);
    return paths;
}

bool Win32RecordingFolder::readPart(const std::string& path, uint64_t offset, std::size_t size,
                                    std::vector<uint8_t>& out, uint64_t& fileSize) {
    out.clear();
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER length{}, at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    bool ok = GetFileSizeEx(file, &length) && SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    if (ok) {
        fileSize = static_cast<uint64_t>(length.QuadPart);
        out.resize(size);
        DWORD n = 0;
        ok = ReadFile(file, out.data(), static_cast<DWORD>(size), &n, nullptr) != 0;
        out.resize(ok ? n : 0);
    }
    CloseHandle(file);
    return ok;
}
