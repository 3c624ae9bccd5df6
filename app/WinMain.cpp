// The program's entry point: the command line, the main window and the message loop.
// Nothing is destroyed at the end: the link thread may still be using the main
// window's state, and the process exit ends it.
#include <windows.h>

#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "startup/CommandLine.h"
#include "replay/CsvExportCommand.h"
#include "report/ReportCommand.h"
#include "report/ReportModel.h"
#include <cstdio>
#include "app/DiagnosticLog_win32.h"
#include "app/RecordControl_win32.h"
#include "app/TForm1.h"
#include "record/IsoTime.h"
#include "record/RecordFile_win32.h"
#include "platform/Clock.h"
#include "platform/TextConversion.h"
#include "platform/Win32Registry.h"
#include "settings/ReportSettings.h"
#include "platform/Win32System.h"

namespace {

void ShowException(const char* what) {
    MessageBoxW(nullptr, Widen(what).c_str(), L"MOTOSKOP", MB_OK | MB_ICONERROR);
}

std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return args;
    for (int i = 1; i < count; ++i)
        args.push_back(Narrow(argv[i]));
    LocalFree(argv);
    return args;
}

// Text for the console the program was started from. A GUI program has none of its
// own: output that was redirected goes where it was sent (as UTF-8); otherwise the
// parent's console is attached and written in UTF-16.
void PrintToStarter(const std::string& text) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const bool redirected =
        out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN;
    DWORD written = 0;
    if (!redirected && AttachConsole(ATTACH_PARENT_PROCESS)) {
        HANDLE console =
            CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (console != INVALID_HANDLE_VALUE) {
            std::wstring wide = Widen(text);
            for (size_t at = 0; (at = wide.find(L'\n', at)) != std::wstring::npos; at += 2)
                wide.insert(at, 1, L'\r');
            WriteConsoleW(console, wide.c_str(), DWORD(wide.size()), &written, nullptr);
            CloseHandle(console);
            return;
        }
    }
    if (redirected) WriteFile(out, text.data(), DWORD(text.size()), &written, nullptr);
}

// A recording named on the command line, read whole.
bool ReadRecordingFile(const std::string& path, std::vector<uint8_t>& bytes) {
    FileError why = FileError::None;
    return ReadWholeFile(path, bytes, why);
}

// --export-csv: no window; the outcome goes to the starter.
int ExportCsvCommand(const CommandLineOptions& options) {
    CsvExportRequest request;
    request.recording = options.exportRecording;
    request.output = options.exportOutput;
    request.standard = options.csvStandard;
    request.listSeparator = UserLocaleText(LocaleItem::ListSeparator);
    request.decimalSymbol = UserLocaleText(LocaleItem::DecimalSeparator);
    Win32RecordFile file;
    const CsvExportOutcome outcome = RunCsvExport(request, ReadRecordingFile, file);
    PrintToStarter(outcome.message);
    return outcome.exitCode;
}

// --report: no window; the outcome goes to the starter.
int ReportCommand(const CommandLineOptions& options) {
    ReportRequest request;
    request.recording = options.reportRecording;
    request.before = options.reportBefore;
    request.output = options.exportOutput;
    request.madeOn = report::MadeOnText(LocalTimeAt(WallNow()));
    Win32Registry registry;
    request.workshop = LoadWorkshopName(registry); // the head of the report
    Win32RecordFile file;
    const ReportOutcome outcome = RunReport(request, ReadRecordingFile, file);
    PrintToStarter(outcome.message);
    return outcome.exitCode;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const CommandLineResult command = ParseCommandLine(Arguments());
    switch (command.action) {
    case CommandLineAction::Help:
        PrintToStarter(UsageText());
        return kExitOk;
    case CommandLineAction::Version:
        PrintToStarter(VersionText());
        return kExitOk;
    case CommandLineAction::UsageError:
        PrintToStarter("motoskop: " + command.error + "\n\n" + UsageText());
        return kExitUsage;
    case CommandLineAction::ExportCsv:
        return ExportCsvCommand(command.options);
    case CommandLineAction::Report:
        return ReportCommand(command.options);
    case CommandLineAction::Run:
        break;
    }
    try {
        new TForm1(command.options); // sets Form1; the taskbar button reads "MOTOSKOP"
        Form1->show();
        if (!command.options.diagLogPath.empty())
            StartDiagnosticLog(command.options.diagLogPath, command.options.diagEverySeconds);
        // --record before START, so that the recording holds the START.
        if (command.options.record) Form1->recordControl->start(command.options.recordPath);
        if (command.options.connect) Form1->Image15MouseUp(); // START
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Form1->recordControl->finish(); // what is queued goes to the file
    } catch (const std::exception& e) {
        ShowException(e.what());
    } catch (...) {
        ShowException("Unknown error.");
    }
    return 0;
}
