#include "record/CsvExport.h"

#include <algorithm>
#include <cstdio>

#include "record/ChannelValues.h"
#include "record/CsvColumns.h"
#include "record/EventText.h"
#include "record/IsoTime.h"
#include "record/TroubleCodeLabels.h"

using recfile::Record;
using recfile::RecordType;

namespace {

constexpr std::size_t kChunk = 256 * 1024;
constexpr const char* kElapsedHeading = "Время (с)";
constexpr const char* kDateTimeHeading = "Дата и время";
constexpr const char* kCodesHeading = "Коды ошибок";
constexpr const char* kEventsHeading = "События";

class CsvWriter {
  public:
    CsvWriter(const RecordingReader& reader, const CsvOptions& options,
              const std::function<void(const std::string&)>& out)
        : reader_(reader), options_(options), out_(out) {}

    void run(const CsvSpan& span);

  private:
    void segment(const recfile::RecordingHeader& header, uint32_t timeMs, bool first);
    void row(const Record& poll);
    void event(const Record& record);
    void endRow();
    void field(const std::string& text) {
        if (!line_.empty()) line_ += options_.separator;
        line_ += CsvField(text, options_.separator);
    }
    void emit(const std::string& text) {
        text_ += text;
        if (text_.size() >= kChunk) {
            out_(text_);
            text_.clear();
        }
    }

    const RecordingReader& reader_;
    const CsvOptions& options_;
    const std::function<void(const std::string&)>& out_;
    ChannelValues values_;
    int family_ = 0;
    std::size_t channels_ = 0;
    bool timeKnown_ = false;
    LocalTime segmentStart_;
    uint32_t segmentMs_ = 0;
    std::string line_;   // the row being built, up to its event cell
    std::string events_; // the events that go with it
    bool open_ = false;
    std::string text_;
};

void CsvWriter::segment(const recfile::RecordingHeader& header, uint32_t timeMs, bool first) {
    endRow();
    family_ = header.family;
    timeKnown_ = ParseIso(header.startDateTime, segmentStart_);
    segmentMs_ = timeMs;
    const std::vector<std::string> headings = ChannelHeadings(family_);
    channels_ = headings.size();
    if (!first) emit("\r\n");
    line_.clear();
    field(kElapsedHeading);
    field(kDateTimeHeading);
    for (const std::string& heading : headings)
        field(heading);
    field(kCodesHeading);
    field(kEventsHeading);
    emit(line_ + "\r\n");
    line_.clear();
}

std::string seconds(uint32_t ms, char decimalSymbol) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%u%c%03u", ms / 1000, decimalSymbol, ms % 1000);
    return buffer;
}

void CsvWriter::row(const Record& poll) {
    endRow();
    field(seconds(poll.timeMs, options_.decimalSymbol));
    field(timeKnown_ ? FormatIso(Later(segmentStart_, int64_t(poll.timeMs) - segmentMs_))
                     : std::string());
    if (poll.hasReply) {
        for (const std::string& value :
             values_.decode(poll.reply.data(), family_, options_.decimalSymbol))
            field(value);
        field(ActiveTroubleCodes(poll.reply.data(), family_));
    } else {
        for (std::size_t k = 0; k <= channels_; ++k)
            field(std::string());
    }
    events_ = PollEventText(poll);
    open_ = true;
}

void CsvWriter::event(const Record& record) {
    if (!events_.empty()) events_ += "; ";
    events_ += EventText(record, family_);
}

void CsvWriter::endRow() {
    if (!open_) return;
    field(events_);
    emit(line_ + "\r\n");
    line_.clear();
    events_.clear();
    open_ = false;
}

void CsvWriter::run(const CsvSpan& span) {
    if (options_.byteOrderMark) emit("\xEF\xBB\xBF");
    if (reader_.pollCount() == 0 || reader_.segments().empty()) {
        out_(text_);
        return;
    }
    // The first poll at or after fromMs and the record after the last one up to toMs.
    std::size_t k0 = reader_.seekPoll(span.fromMs);
    if (reader_.timeMs(reader_.pollRecord(k0)) < span.fromMs) ++k0;
    std::size_t k1 = reader_.seekPoll(span.toMs);
    if (reader_.timeMs(reader_.pollRecord(k1)) > span.toMs) k0 = k1 + 1; // no poll in the span
    const std::size_t begin = k0 == 0 ? 0 : reader_.pollRecord(k0 - 1) + 1;
    const std::size_t end =
        k1 + 1 < reader_.pollCount() ? reader_.pollRecord(k1 + 1) : reader_.recordCount();
    const std::size_t s = reader_.segmentOf(begin);
    segment(reader_.segments()[s].header, reader_.segments()[s].timeMs, true);
    Record record;
    std::string early; // events before the first row
    for (std::size_t i = begin; i < end && k0 <= k1 && k0 < reader_.pollCount(); ++i) {
        if (!reader_.record(i, record)) break;
        if (record.type == RecordType::SegmentHeader) {
            if (i != reader_.segments()[s].record) segment(record.header, record.timeMs, false);
        } else if (record.type == RecordType::Poll) {
            row(record);
            if (!early.empty()) events_ = early + (events_.empty() ? "" : "; " + events_);
            early.clear();
        } else if (open_) {
            event(record);
        } else {
            if (!early.empty()) early += "; ";
            early += EventText(record, family_);
        }
    }
    endRow();
    out_(text_);
}

} // namespace

CsvOptions StandardCsv() {
    return CsvOptions{',', '.', false};
}

CsvOptions ExcelCsv(char listSeparator, char decimalSymbol) {
    return CsvOptions{listSeparator, decimalSymbol, true};
}

bool SpanBetweenMarkers(const RecordingReader& reader, int a, int b, CsvSpan& span) {
    const MarkerInfo* first = nullptr;
    const MarkerInfo* second = nullptr;
    for (const MarkerInfo& m : reader.markers()) {
        if (m.number == a && !first) first = &m;
        if (m.number == b && !second) second = &m;
    }
    if (!first || !second) return false;
    span.fromMs = std::min(first->timeMs, second->timeMs);
    span.toMs = std::max(first->timeMs, second->timeMs);
    return true;
}

std::string CsvField(const std::string& text, char separator) {
    if (text.find_first_of(std::string("\"\r\n") + separator) == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

void WriteCsv(const RecordingReader& reader, const CsvOptions& options, const CsvSpan& span,
              const std::function<void(const std::string&)>& out) {
    CsvWriter(reader, options, out).run(span);
}

FileError ExportCsv(const RecordingReader& reader, const CsvOptions& options, const CsvSpan& span,
                    RecordFile& file, const std::string& path) {
    FileError error = file.create(path);
    if (error != FileError::None) return error;
    WriteCsv(reader, options, span, [&](const std::string& text) {
        if (error == FileError::None && !text.empty())
            error = file.append(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    });
    if (error == FileError::None) error = file.flush();
    file.close();
    return error;
}
