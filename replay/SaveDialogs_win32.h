#pragma once
// The save dialogs of the windows over a recording: a CSV export and the workshop
// report, each offering the recording's name with its own extension first. When the
// user agrees to replace a file, it is removed here, since neither the export nor the
// report ever overwrites. Empty when the user cancelled.
#include <windows.h>

#include <string>

std::string AskCsvPath(HWND owner, const std::string& recordingPath);
std::string AskReportPath(HWND owner, const std::string& recordingPath);
