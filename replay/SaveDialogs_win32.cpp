#include "replay/SaveDialogs_win32.h"

#include "platform/TextConversion.h"
#include "replay/CsvExportCommand.h"
#include "report/ReportCommand.h"
#include "ui/FileDialog.h"

namespace {

std::string AskReplacing(HWND owner, const ui::FileDialogRequest& request) {
    const std::string file = ui::ChooseFileToSave(owner, request);
    if (file.empty()) return file;
    if (GetFileAttributesW(Widen(file).c_str()) != INVALID_FILE_ATTRIBUTES)
        DeleteFileW(Widen(file).c_str());
    return file;
}

} // namespace

std::string AskCsvPath(HWND owner, const std::string& recordingPath) {
    ui::FileDialogRequest request;
    request.title = L"Экспорт CSV";
    request.filter = L"CSV (*.csv)\0*.csv\0Все файлы\0*.*\0";
    request.defaultExtension = L"csv";
    request.initialPath = DefaultCsvPath(recordingPath);
    return AskReplacing(owner, request);
}

std::string AskReportPath(HWND owner, const std::string& recordingPath) {
    ui::FileDialogRequest request;
    request.title = L"Отчёт";
    request.filter = L"Отчёт HTML (*.html)\0*.html\0Все файлы\0*.*\0";
    request.defaultExtension = L"html";
    request.initialPath = DefaultReportPath(recordingPath);
    return AskReplacing(owner, request);
}
