#include "ui/FileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/TextConversion.h"

namespace ui {

namespace {

constexpr std::size_t kPathChars = MAX_PATH * 2;

std::string Run(HWND owner, const FileDialogSpec& spec, bool save) {
    std::vector<wchar_t> file(kPathChars, L'\0');
    const std::wstring initial = Widen(spec.initialPath);
    initial.copy(file.data(), std::min(initial.size(), kPathChars - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = spec.filter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(kPathChars);
    dialog.lpstrDefExt = spec.defaultExtension;
    dialog.lpstrTitle = spec.title;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    return chosen ? Narrow(file.data()) : std::string();
}

} // namespace

std::string ChooseFileToOpen(HWND owner, const FileDialogSpec& spec) {
    return Run(owner, spec, false);
}

std::string ChooseFileToSave(HWND owner, const FileDialogSpec& spec) {
    return Run(owner, spec, true);
}

} // namespace ui
