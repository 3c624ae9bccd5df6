#pragma once
// motoskop.exe --export-csv RECORDING [OUT.csv] [--standard]: the recording as CSV,
// without a window. The reading of the file, the file written and the PC's number
// format come from the caller, so the same steps run in the host tests.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "record/CsvExport.h"
#include "record/RecordFile.h"
#include "startup/CommandLine.h"

struct CsvExportRequest {
    std::string recording;
    std::string output;        // empty: the recording's path with ".csv"
    bool standard = false;     // ',' and '.', no BOM; else the "Excel" preset
    std::string listSeparator; // this PC's (LOCALE_SLIST), UTF-8
    std::string decimalSymbol; // this PC's (LOCALE_SDECIMAL), UTF-8
};

struct CsvExportOutcome {
    int exitCode = 0;
    std::string message; // for the starter; ends in '\n'
};

// The export's options: plain CSV when standard, else the "Excel" preset from this PC's
// list separator and decimal symbol (their locale texts, UTF-8).
CsvOptions CsvPreset(bool standard, const std::string& listSeparator,
                     const std::string& decimalSymbol);

// The recording's path with ".csv" in place of its extension (added when it has none).
std::string DefaultCsvPath(const std::string& recording);

// The "Excel" list separator from the locale's text: that character when it is one
// printable ASCII character that is not the decimal symbol, a quote or a letter or digit,
// else ';'.
char ChooseListSeparator(const std::string& localeSeparator, char decimalSymbol);

// Reads the recording with readFile (false when it cannot be read) and writes the CSV
// through file.
CsvExportOutcome
RunCsvExport(const CsvExportRequest& request,
             const std::function<bool(const std::string&, std::vector<uint8_t>&)>& readFile,
             RecordFile& file);
