#pragma once
// What the replay window says: the times and dates it shows, the lines of its
// list of markers and events, the export's span choices and its messages, the
// speeds. One place, so the window holds none of its own.
#include <cstdint>
#include <string>
#include <vector>

#include "record/CsvExport.h"
#include "record/RecordFile.h"
#include "record/RecordingReader.h"
#include "replay/ReplayPlayer.h"

// "mm:ss.t", or "h:mm:ss.t" from an hour on.
std::string FormatElapsed(uint32_t ms);
// The local date-time of a moment of the recording, "09.12.2026 21:44:48";
// empty when the segment's start cannot be read.
std::string RecordedDateTime(const RecordingReader& reader, uint32_t timeMs);

// One line of the list of markers and events: its time and what it is.
struct ReplayEventLine {
    uint32_t timeMs = 0;
    std::string text; // "02:03.4  метка 1: текст"
    int marker = 0;   // the marker's number, 0 for any other event
};
std::vector<ReplayEventLine> ReplayEventLines(const RecordingReader& reader);

// The export from the replay window: the span runs from a choice to a choice,
// 0 being the start (or the end) and k the k-th marker of the recording.
std::string SpanChoiceText(const RecordingReader& reader, int choice, bool end);
CsvSpan SpanOfChoices(const RecordingReader& reader, int from, int to);
// What the window says after an export to path.
std::string ExportMessage(FileError error, const std::string& path);

// The speeds as the window shows them, slowest first.
constexpr const char* kReplaySpeedTexts[kReplaySpeedCount] = {"0,25×", "0,5×", "1×",
                                                              "2×",    "4×",   "8×"};
// The export's view: the "Excel" preset or plain CSV.
constexpr const char* kExcelPresetText = "Excel";
constexpr const char* kStandardPresetText = "стандарт";
// After a marker's text was added to the file.
constexpr const char* kMarkerTextSaved = "Текст метки сохранён.";
