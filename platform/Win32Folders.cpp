#include "platform/Win32Folders.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>

#include "platform/TextConversion.h"

namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::string DocumentsFolder() {
    std::wstring documents;
    wchar_t value[MAX_PATH + 1] = {};
    const DWORD size = GetEnvironmentVariableW(L"MOTOSKOP_DOCUMENTS", value, MAX_PATH + 1);
    if (size > 0 && size <= MAX_PATH) {
        documents = value;
    } else {
        wchar_t folder[MAX_PATH] = {};
        if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr,
                                       SHGFP_TYPE_CURRENT, folder)))
            documents = folder;
    }
    while (!documents.empty() && (documents.back() == L'\\' || documents.back() == L'/'))
        documents.pop_back();
    return Narrow(documents);
}

bool CreateFolders(const std::string& folder) {
    if (folder.empty()) return true;
    const std::wstring wide = Widen(folder);
    for (std::size_t at = 0; at <= wide.size(); ++at) {
        if (at < wide.size() && wide[at] != L'\\' && wide[at] != L'/') continue;
        const std::wstring part = wide.substr(0, at);
        // The drive ("C:"), the root and a share's first two names are not ours to make.
        const bool share =
            part.rfind(L"\\\\", 0) == 0 && std::count(part.begin(), part.end(), L'\\') < 4;
        if (part.empty() || part.back() == L':' || part == L"\\" || share) continue;
        if (CreateDirectoryW(part.c_str(), nullptr)) continue;
        if (!IsFolder(part)) return false;
    }
    return IsFolder(wide);
}
