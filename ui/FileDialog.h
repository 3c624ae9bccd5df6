#pragma once
// The system's open and save dialogs. Paths are UTF-8; an empty answer means the
// user cancelled (or the dialog could not be shown).
#include <windows.h>

#include <string>

namespace ui {

struct FileDialogRequest {
    const wchar_t* title = L"";
    // Pairs of a text and a pattern, each ended by '\0', the whole ended by
    // another: L"CSV (*.csv)\0*.csv\0Все файлы\0*.*\0".
    const wchar_t* filter = nullptr;
    const wchar_t* defaultExtension = nullptr; // without the dot; saving only
    std::string initialPath;                   // the name offered first
};

// An existing file to open.
std::string ChooseFileToOpen(HWND owner, const FileDialogRequest& request);
// A file to write; the dialog asks before naming one that exists.
std::string ChooseFileToSave(HWND owner, const FileDialogRequest& request);

} // namespace ui
