// What makes the exe a Windows program of its own: the icon, the version resource with the
// version the about window shows, and the manifest that brings common controls 6.
// (This test exe links the program's resource script, as motoskop.exe does.)
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "startup/Version.h"

namespace {

std::wstring ExePath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// A string of the version resource's Russian/Unicode block, through version.dll.
std::wstring VersionString(const wchar_t* name, VS_FIXEDFILEINFO* fixed = nullptr) {
    HMODULE dll = LoadLibraryW(L"version.dll");
    if (!dll) return L"<no version.dll>";
    using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    auto size = reinterpret_cast<SizeFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(dll, "GetFileVersionInfoSizeW")));
    auto info = reinterpret_cast<InfoFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(dll, "GetFileVersionInfoW")));
    auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(dll, "VerQueryValueW")));
    const std::wstring path = ExePath();
    std::string block(size(path.c_str(), nullptr), '\0');
    if (block.empty() || !info(path.c_str(), 0, DWORD(block.size()), &block[0]))
        return L"<no version resource>";
    void* value = nullptr;
    UINT length = 0;
    if (fixed && query(block.data(), L"\\", &value, &length) && length >= sizeof *fixed)
        *fixed = *static_cast<VS_FIXEDFILEINFO*>(value);
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041904B0\\") + name;
    if (!query(block.data(), key.c_str(), &value, &length)) return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

std::wstring Widen(const char* text) {
    return std::wstring(text, text + strlen(text));
}

} // namespace

TEST(ProgramResources, VersionResourceCarriesTheProgramsVersion) {
    VS_FIXEDFILEINFO fixed{};
    EXPECT_EQ(VersionString(L"ProductVersion", &fixed), Widen(MOTOSKOP_VERSION));
    EXPECT_EQ(VersionString(L"FileVersion"), Widen(MOTOSKOP_VERSION));
    EXPECT_EQ(VersionString(L"ProductName"), L"MOTOSKOP");
    EXPECT_EQ(HIWORD(fixed.dwFileVersionMS), MOTOSKOP_VERSION_MAJOR);
    EXPECT_EQ(LOWORD(fixed.dwFileVersionMS), MOTOSKOP_VERSION_MINOR);
}

TEST(ProgramResources, IconInEverySizeTheShellAsksFor) {
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObjectW(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(ProgramResources, ManifestBringsCommonControlsSix) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const char* text = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    const std::string manifest(text, SizeofResource(nullptr, found));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"), std::string::npos); // 10/11
    EXPECT_NE(manifest.find("35138b9a-5d96-4fbd-8e2d-a2440225f93a"), std::string::npos); // 7

    // The process runs with the manifest's activation context, which sends comctl32.dll to
    // the side-by-side version 6.
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         L"comctl32.dll", &data))
        << GetLastError();
}
