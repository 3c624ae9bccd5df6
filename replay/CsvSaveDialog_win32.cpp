#include "replay/CsvSaveDialog_win32.h"

#include "platform/TextConversion.h"
#include "replay/CsvExportCommand.h"
#include "ui/FileDialog.h"

std::string AskCsvPath(HWND owner, const std::string& recordingPath) {
    ui::FileDialogSpec spec;
    spec.title = L"Экспорт CSV";
    spec.filter = L"CSV (*.csv)\0*.csv\0Все файлы\0*.*\0";
    spec.defaultExtension = L"csv";
    spec.initialPath = DefaultCsvPath(recordingPath);
    const std::string file = ui::ChooseFileToSave(owner, spec);
    if (file.empty()) return file;
    if (GetFileAttributesW(Widen(file).c_str()) != INVALID_FILE_ATTRIBUTES)
        DeleteFileW(Widen(file).c_str());
    return file;
}
