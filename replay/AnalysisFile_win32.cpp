#include "replay/AnalysisFile_win32.h"

#include <windows.h>

namespace analysis {
namespace {

std::wstring widen(const std::string& text) {
    if (text.empty()) return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

} // namespace

Win32ByteSource::Win32ByteSource(const std::string& path) {
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file != INVALID_HANDLE_VALUE) handle_ = file;
}

Win32ByteSource::~Win32ByteSource() {
    if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
}

int64_t Win32ByteSource::size() {
    LARGE_INTEGER size;
    if (!handle_ || !GetFileSizeEx(static_cast<HANDLE>(handle_), &size)) return -1;
    return static_cast<int64_t>(size.QuadPart);
}

std::size_t Win32ByteSource::read(uint8_t* into, std::size_t n, bool& failed) {
    if (!handle_) {
        failed = true;
        return 0;
    }
    const DWORD piece = n > 0x10000000u ? 0x10000000u : static_cast<DWORD>(n);
    DWORD got = 0;
    if (!ReadFile(static_cast<HANDLE>(handle_), into, piece, &got, nullptr)) {
        failed = true;
        return 0;
    }
    return got;
}

std::unique_ptr<ByteSource> OpenAnalysisFile(const std::string& path) {
    auto file = std::make_unique<Win32ByteSource>(path);
    if (!file->isOpen()) return nullptr;
    return file;
}

} // namespace analysis
