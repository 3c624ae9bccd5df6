#pragma once
// A recording as CSV: one row per poll with the elapsed seconds, the ISO 8601
// date-time, every channel of the recorded family ("MNEMONIC (unit)" in
// catalogue order), the active trouble codes and the events since the row
// before. A failed poll leaves the channel and code cells empty. Fields are
// quoted as RFC 4180 asks; lines end in CRLF. A new segment starts with a
// blank line and its own heading row.
#include <cstdint>
#include <functional>
#include <string>

#include "record/RecordFile.h"
#include "record/RecordingReader.h"

struct CsvOptions {
    char separator = ',';
    char decimalSymbol = '.';
    bool byteOrderMark = false; // UTF-8 BOM, so that Excel reads Cyrillic and °
};

// "standard": comma and full stop, no BOM.
CsvOptions StandardCsv();
// "Excel": this PC's list separator and decimal symbol, UTF-8 with a BOM.
CsvOptions ExcelCsv(char listSeparator, char decimalSymbol);

// The polls exported: those with fromMs <= time <= toMs.
struct CsvSpan {
    uint32_t fromMs = 0;
    uint32_t toMs = 0xFFFFFFFFu;
};
// From marker a to marker b (either order); false when one is not there.
bool SpanBetweenMarkers(const RecordingReader& reader, int a, int b, CsvSpan& span);

// One field, quoted when it holds the separator, a quote or a line break.
std::string CsvField(const std::string& text, char separator);

// Hands the CSV text to out piece by piece (a few hundred kilobytes at a time).
void WriteCsv(const RecordingReader& reader, const CsvOptions& options, const CsvSpan& span,
              const std::function<void(const std::string&)>& out);

// Writes the CSV to a new file at path (never over an existing one).
FileError ExportCsv(const RecordingReader& reader, const CsvOptions& options, const CsvSpan& span,
                    RecordFile& file, const std::string& path);
