#pragma once
// The user's words for a disk error, in each situation the program writes a file:
// one table, a row per error and a column per situation.
#include <string>

#include "record/RecordFile.h"

enum class FileSituation {
    RecordingNotStarted, // the record control could not start a recording
    RecordingStopped,    // a recording stopped by itself
    MarkerText,          // a marker's text typed in replay was to be added
    ExportShown,         // the replay window's CSV export (the file's name)
    ExportCommand,       // --export-csv and the like, to the console (the whole path)
    VisitAdded,          // the vehicle and visit typed after a recording were to be added
};

// The text, with "%s" where the file is named; nullptr where the situation has
// nothing to say (no error, or no words of its own for it).
const char* FileErrorText(FileError error, FileSituation situation);
// The text with the file put in; empty where there is none.
std::string FileErrorMessage(FileError error, FileSituation situation, const std::string& file);

// The recording's two situations, as the recorder and the record control ask.
inline const char* StartFailureMessage(FileError error) {
    return FileErrorText(error, FileSituation::RecordingNotStarted);
}
inline const char* StopMessage(FileError error) {
    return FileErrorText(error, FileSituation::RecordingStopped);
}
