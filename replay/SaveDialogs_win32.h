#pragma once
// The save dialog of a CSV export from a window: the recording's name with ".csv"
// offered first. When the user agrees to replace a file, it is removed here, since
// the export itself never overwrites. Empty when the user cancelled.
#include <windows.h>

#include <string>

std::string AskCsvPath(HWND owner, const std::string& recordingPath);
