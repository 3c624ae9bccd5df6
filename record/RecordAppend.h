#pragma once
// A record added to the end of a finished recording (a marker's text or the vehicle
// and visit given in replay or analysis), so the file stays append-only. Refused for
// a file whose end is torn or damaged, where an added record could not be read.
#include <string>

#include "record/RecordFile.h"
#include "record/RecordingReader.h"

// reader: the file at path as opened. The added record takes the recording's last time.
FileError AppendRecord(RecordFile& file, const std::string& path, const RecordingReader& reader,
                       recfile::Record record);

// The vehicle and visit as a Visit record: the last one in a file wins.
FileError AppendVisit(RecordFile& file, const std::string& path, const RecordingReader& reader,
                      const recfile::Visit& visit);
