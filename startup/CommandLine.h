#pragma once
// The program's command line: motoskop.exe [--port COMn] [--connect] [--bitmap-gl]
// [--help] [--version] [--export-csv RECORDING [OUT.csv] [--standard]]
// [--report RECORDING [--before RECORDING] [OUT.html|OUT.json]] [--analyse FILE [FILE2]].
// Parsed from the arguments after the program name, already converted to UTF-8; the options are one
// table in CommandLine.cpp, so a new option is a new row there and, when it carries something, a
// new field here.
#include <string>
#include <vector>

struct CommandLineOptions {
    int portIndex = -1;    // --port COMn: n - 1, as the port button stores it; -1 when not given
    bool connect = false;  // --connect: press START once the window is up
    bool bitmapGl = false; // --bitmap-gl: the graphs draw through a bitmap, never to the window
    std::string
        diagLogPath; // --diag-log PATH: the diagnostic log for long runs (docs/diagnostic-log.md)
    int diagEverySeconds = 60;    // --diag-every S: its resource figures every S seconds
    std::string exportRecording;  // --export-csv RECORDING: the recording to write as CSV
    std::string exportOutput;     // the argument after it (or after --report) when not an option
    std::string reportRecording;  // --report RECORDING: the workshop report without a window
    std::string reportBefore;     // --before RECORDING: the drive before the repair, compared
    bool csvStandard = false;     // --standard: ',' and '.', no BOM, instead of the "Excel" preset
    bool record = false;          // --record [FILE]: start recording at once
    std::string recordPath;       // its FILE; empty: a new name in the recordings folder
    std::string replayRecording;  // a plain RECORDING argument: opened for replay in the window
    std::string analyseRecording; // --analyse FILE: opened in the analysis window
    std::string analyseSecond;    // the argument after it when not an option: laid over it
};

enum class CommandLineAction {
    Run,        // start the program with the options
    Help,       // print UsageText() and exit 0
    Version,    // print VersionText() and exit 0
    UsageError, // print the error and UsageText() and exit 2
    ExportCsv,  // write options.exportRecording as CSV without a window (replay/CsvExportCommand.h)
    Report,     // write the report of options.reportRecording (report/ReportCommand.h)
};

struct CommandLineResult {
    CommandLineAction action = CommandLineAction::Run;
    CommandLineOptions options;
    std::string error; // with UsageError: what was wrong, one line
};

CommandLineResult ParseCommandLine(const std::vector<std::string>& args);

// A COM port as the user writes it ("COM12", "com3", "12") -> its number, 0 when not a port.
int ParseComPortNumber(const std::string& text);

std::string UsageText();   // several lines, each ending in '\n'
std::string VersionText(); // "MOTOSKOP 1.0\n"

// Exit codes of the command-line outcomes.
constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;
// --export-csv and --report: nothing written (the recording unreadable, the output there
// already or not writable).
constexpr int kExitExportFailed = 3;
