#include "record/RecordAppend.h"

FileError AppendRecord(RecordFile& file, const std::string& path, const RecordingReader& reader,
                       recfile::Record record) {
    if (reader.status() != ReadStatus::Ok || reader.truncatedTail() || reader.recordCount() == 0)
        return FileError::Other;
    record.timeMs = reader.durationMs();
    std::vector<uint8_t> bytes;
    recfile::EncodeRecord(record, bytes);
    FileError error = file.openAppend(path);
    if (error == FileError::None) error = file.append(bytes.data(), bytes.size());
    if (error == FileError::None) error = file.flush();
    file.close();
    return error;
}

FileError AppendVisit(RecordFile& file, const std::string& path, const RecordingReader& reader,
                      const recfile::Visit& visit) {
    recfile::Record record;
    record.type = recfile::RecordType::Visit;
    record.visit = visit;
    return AppendRecord(file, path, reader, std::move(record));
}
