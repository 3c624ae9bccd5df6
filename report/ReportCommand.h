#pragma once
// motoskop.exe --report RECORDING [--before RECORDING] [OUT.html|OUT.json]: the workshop
// report without a window. The reading of the files and the file written come from the
// caller, so the same steps run in the host tests; the exit codes are --export-csv's.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "record/RecordFile.h"

struct ReportRequest {
    std::string recording;
    std::string before;   // empty: no comparison
    std::string output;   // empty: the recording's path with ".html"; ".json": the JSON
    std::string workshop; // the setting (settings/ReportSettings.h)
    std::string madeOn;   // "10.12.2026 09:30", from the caller's clock
};

struct ReportOutcome {
    int exitCode = 0;
    std::string message; // for the starter; ends in '\n'
};

std::string DefaultReportPath(const std::string& recording);

namespace report {
struct Report;
}
// The report as HTML, or as JSON for an output ending in ".json", into a new file.
FileError WriteReport(const report::Report& report, const std::string& output, RecordFile& file);

ReportOutcome
RunReport(const ReportRequest& request,
          const std::function<bool(const std::string&, std::vector<uint8_t>&)>& readFile,
          RecordFile& file);
