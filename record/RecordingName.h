#pragma once
// The name a new recording gets: "<CAR>_<engine>_<YYYY-MM-DD_HH-MM-SS>.mrec",
// with every character a Windows file name cannot hold replaced by '-'.
#include <string>

#include "record/IsoTime.h"

constexpr const char* kRecordingExtension = ".mrec";

// Replaces < > : " / \ | ? * and control characters by '-', drops trailing
// dots and blanks, and gives "-" for an empty result. UTF-8 passes through.
std::string SanitiseFileNamePart(const std::string& text);

std::string RecordingFileName(const std::string& car, const std::string& engine,
                              const LocalTime& start);

// The name with " (n)" before the extension, for the n-th try when the plain
// one is taken (n >= 2); n <= 1 gives the plain name.
std::string RecordingFileNameTry(const std::string& name, int n);
