#include "record/FileErrorTexts.h"

#include "record/RecordTexts.h"

namespace {

// What the user is told about a disk error, when a recording could not start and
// when one stopped by itself.
struct FileErrorRow {
    FileError error;
    const char* notStarted;
    const char* stopped;
};

const FileErrorRow kFileErrorTexts[] = {
    {FileError::None,         nullptr,                          nullptr                      },
    {FileError::Exists,       rectext::kFileExists,             rectext::kFileExists         },
    {FileError::NoSpace,      rectext::kNotStartedNoSpace,      rectext::kStoppedNoSpace     },
    {FileError::NoPermission, rectext::kNotStartedNoPermission, rectext::kStoppedNoPermission},
    {FileError::Other,        rectext::kCannotCreate,           rectext::kStoppedWriteError  },
};

const FileErrorRow& RowOf(FileError error) {
    for (const FileErrorRow& row : kFileErrorTexts)
        if (row.error == error) return row;
    return kFileErrorTexts[4]; // an error of no known kind reads as Other
}

} // namespace

const char* StartFailureMessage(FileError error) {
    return RowOf(error).notStarted;
}

const char* StopMessage(FileError error) {
    return RowOf(error).stopped;
}
