#include "record/MarkerTexts.h"

#include "record/RecordAppend.h"

FileError AppendMarkerText(RecordFile& file, const std::string& path, const RecordingReader& reader,
                           int number, const std::string& text) {
    recfile::Record record;
    record.type = recfile::RecordType::MarkerText;
    record.number = number;
    record.text = text;
    return AppendRecord(file, path, reader, std::move(record));
}
