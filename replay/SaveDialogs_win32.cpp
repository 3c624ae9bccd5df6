#include "replay/CsvSaveDialog_win32.h"

#include "platform/TextConversion.h"
#include "replay/CsvExportCommand.h"
#include "ui/FileDialog.h"

std::string AskCsvPath(HWND owner, const std::string& recordingPath) {
    ui::FileDialogRequest request;
    request.title = L"Экспорт CSV";
    request.filter = L"CSV (*.csv)\0*.csv\0Все файлы\0*.*\0";
    request.defaultExtension = L"csv";
    request.initialPath = DefaultCsvPath(recordingPath);
    const std::string file = ui::ChooseFileToSave(owner, request);
    if (file.empty()) return file;
    if (GetFileAttributesW(Widen(file).c_str()) != INVALID_FILE_ATTRIBUTES)
        DeleteFileW(Widen(file).c_str());
    return file;
}
