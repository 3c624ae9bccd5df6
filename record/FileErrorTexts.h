#pragma once
// The user's words for a disk error of a recording.
#include "record/RecordFile.h"

// A recording that could not start (nullptr for None).
const char* StartFailureMessage(FileError error);
// A recording that stopped by itself (nullptr for None).
const char* StopMessage(FileError error);
