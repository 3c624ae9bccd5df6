#include "record/MarkerTexts.h"

#include "record/RecordTexts.h"

FileError AppendMarkerText(RecordFile& file, const std::string& path, const RecordingReader& reader,
                           int number, const std::string& text) {
    if (reader.status() != ReadStatus::Ok || reader.truncatedTail() || reader.recordCount() == 0)
        return FileError::Other;
    recfile::Record record;
    record.type = recfile::RecordType::MarkerText;
    record.timeMs = reader.durationMs();
    record.number = number;
    record.text = text;
    std::vector<uint8_t> bytes;
    recfile::EncodeRecord(record, bytes);
    FileError error = file.openAppend(path);
    if (error == FileError::None) error = file.append(bytes.data(), bytes.size());
    if (error == FileError::None) error = file.flush();
    file.close();
    return error;
}
