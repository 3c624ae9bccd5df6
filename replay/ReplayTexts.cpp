#include "replay/ReplayTexts.h"

#include <cstdio>
#include <utility>

#include "record/EventText.h"
#include "record/FileErrorTexts.h"
#include "record/IsoTime.h"
#include "platform/Paths.h"

std::string FormatElapsed(uint32_t ms) {
    const uint32_t tenths = ms / 100;
    const uint32_t seconds = tenths / 10;
    char text[32];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%u:%02u:%02u.%u", seconds / 3600, seconds / 60 % 60,
                      seconds % 60, tenths % 10);
    else
        std::snprintf(text, sizeof text, "%02u:%02u.%u", seconds / 60, seconds % 60, tenths % 10);
    return text;
}

std::string RecordedDateTime(const RecordingReader& reader, uint32_t timeMs) {
    if (reader.segments().empty()) return std::string();
    std::size_t s = 0;
    while (s + 1 < reader.segments().size() && reader.segments()[s + 1].timeMs <= timeMs)
        ++s;
    const SegmentInfo& segment = reader.segments()[s];
    LocalTime start;
    if (!ParseIso(segment.header.startDateTime, start)) return std::string();
    const std::string iso =
        FormatIso(Later(start, int64_t{timeMs} - int64_t{segment.timeMs})); // YYYY-MM-DDTHH:MM:SS
    return iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4) + " " +
           iso.substr(11, 8);
}

std::vector<ReplayEventLine> ReplayEventLines(const RecordingReader& reader) {
    std::vector<ReplayEventLine> lines;
    recfile::Record r;
    for (std::size_t i : reader.events()) {
        if (!reader.record(i, r) || r.type == recfile::RecordType::MarkerText) continue;
        ReplayEventLine line;
        line.timeMs = reader.timeMs(i);
        if (r.type == recfile::RecordType::Marker) {
            line.marker = r.number;
            // The text the marker was given last, later in the file too.
            for (const MarkerInfo& m : reader.markers())
                if (m.number == r.number) r.text = m.text;
        }
        const int family = reader.segments()[reader.segmentOf(i)].header.family;
        line.text = FormatElapsed(line.timeMs) + "  " + EventText(r, family);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string SpanChoiceText(const RecordingReader& reader, int choice, bool end) {
    const std::vector<MarkerInfo>& markers = reader.markers();
    if (choice <= 0 || choice > static_cast<int>(markers.size())) return end ? "конец" : "начало";
    return "метка " + std::to_string(markers[static_cast<std::size_t>(choice - 1)].number);
}

CsvSpan SpanOfChoices(const RecordingReader& reader, int from, int to) {
    const std::vector<MarkerInfo>& markers = reader.markers();
    const int count = static_cast<int>(markers.size());
    CsvSpan span;
    if (from > 0 && from <= count) span.fromMs = markers[static_cast<std::size_t>(from - 1)].timeMs;
    if (to > 0 && to <= count) span.toMs = markers[static_cast<std::size_t>(to - 1)].timeMs;
    if (span.fromMs > span.toMs) std::swap(span.fromMs, span.toMs);
    return span;
}

std::string ExportMessage(FileError error, const std::string& path) {
    return FileErrorMessage(error, FileSituation::ExportShown, FileNameOf(path));
}
