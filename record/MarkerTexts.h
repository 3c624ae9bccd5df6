#pragma once
// A marker's text given after the recording (in replay): a MarkerText record
// added to the end of the file, so the file stays append-only. Refused for a
// file whose end is torn or damaged, where an added record could not be read.
#include <string>

#include "record/RecordFile.h"
#include "record/RecordingReader.h"

// reader: the file at path as opened. The time of the added record is the
// recording's last time.
FileError AppendMarkerText(RecordFile& file, const std::string& path, const RecordingReader& reader,
                           int number, const std::string& text);
