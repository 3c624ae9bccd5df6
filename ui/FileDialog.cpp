#include "ui/FileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/TextConversion.h"

namespace ui {

namespace {

constexpr std::size_t kPathChars = MAX_PATH * 2;

std::string Run(HWND owner, const FileDialogRequest& request, bool save) {
    std::vector<wchar_t> file(kPathChars, L'\0');
    const std::wstring initial = Widen(request.initialPath);
    initial.copy(file.data(), std::min(initial.size(), kPathChars - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = request.filter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(kPathChars);
    dialog.lpstrDefExt = request.defaultExtension;
    dialog.lpstrTitle = request.title;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    return chosen ? Narrow(file.data()) : std::string();
}

} // namespace

std::string ChooseFileToOpen(HWND owner, const FileDialogRequest& request) {
    return Run(owner, request, false);
}

std::string ChooseFileToSave(HWND owner, const FileDialogRequest& request) {
    return Run(owner, request, true);
}

} // namespace ui
