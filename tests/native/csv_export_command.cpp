// --export-csv without the window: the file read, the preset, the output name and what
// the starter is told.
#include <gtest/gtest.h>

#include <map>

#include "replay/CsvExportCommand.h"
#include "record/RecordingWriter.h"
#include "tests/native/record_fixture.h"

using recfile::Record;
using recfile::RecordType;

namespace {

// Four polls 125 ms apart, the second without an answer.
std::vector<uint8_t> SmallRecording() {
    MemoryFile file;
    RecordingWriter writer(file);
    recfile::RecordingHeader h;
    h.family = 1;
    h.startDateTime = "2026-12-09T10:00:00.000+03:00";
    writer.begin("r.mrec", h, 0);
    for (int i = 0; i < 4; ++i) {
        Record p;
        p.type = RecordType::Poll;
        p.timeMs = 125 * i;
        p.outcome = i == 1 ? PollOutcome::NoAnswer : PollOutcome::GoodReply;
        p.received = i == 1 ? 0 : kGoodReplySize;
        p.hasReply = i != 1;
        for (std::size_t b = 0; b < p.reply.size(); ++b)
            p.reply[b] = static_cast<uint8_t>(b * 7 + i);
        writer.write(p, 0);
    }
    writer.finish(0);
    return file.flushed;
}

struct Disk {
    std::map<std::string, std::vector<uint8_t>> files;
    std::function<bool(const std::string&, std::vector<uint8_t>&)> reader() {
        return [this](const std::string& path, std::vector<uint8_t>& bytes) {
            auto it = files.find(path);
            if (it == files.end()) return false;
            bytes = it->second;
            return true;
        };
    }
};

std::string Text(const MemoryFile& file) {
    return std::string(file.flushed.begin(), file.flushed.end());
}

std::size_t Lines(const std::string& text) {
    std::size_t n = 0;
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2)
        ++n;
    return n;
}

} // namespace

TEST(CsvExportCommand, DefaultOutputReplacesTheExtension) {
    EXPECT_EQ(DefaultCsvPath("C:\\Записи\\2026-12-09 10-00.mrec"),
              "C:\\Записи\\2026-12-09 10-00.csv");
    EXPECT_EQ(DefaultCsvPath("запись"), "запись.csv");
    EXPECT_EQ(DefaultCsvPath("C:\\a.b\\запись"), "C:\\a.b\\запись.csv");
    EXPECT_EQ(DefaultCsvPath("/tmp/.hidden"), "/tmp/.hidden.csv");
}

TEST(CsvExportCommand, ListSeparatorFromTheLocaleOrSemicolon) {
    EXPECT_EQ(ChooseListSeparator(";", ','), ';');
    EXPECT_EQ(ChooseListSeparator(",", '.'), ',');
    EXPECT_EQ(ChooseListSeparator(",", ','), ';'); // would split every number
    EXPECT_EQ(ChooseListSeparator("", ','), ';');
    EXPECT_EQ(ChooseListSeparator("\xc2\xa0", ','), ';');
    EXPECT_EQ(ChooseListSeparator("x", ','), ';');
    EXPECT_EQ(ChooseListSeparator("|", ','), '|');
}

TEST(CsvExportCommand, ExcelPresetUsesThePcFormatAndABom) {
    Disk disk;
    disk.files["C:\\Записи\\r.mrec"] = SmallRecording();
    MemoryFile out;
    CsvExportRequest request;
    request.recording = "C:\\Записи\\r.mrec";
    request.listSeparator = ";";
    request.decimalSymbol = ",";
    const CsvExportOutcome outcome = RunCsvExport(request, disk.reader(), out);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.message;
    EXPECT_EQ(out.created, "C:\\Записи\\r.csv");
    const std::string text = Text(out);
    ASSERT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u);
    EXPECT_EQ(text.find("\xEF\xBB\xBF"
                        "Время (с);Дата и время;"),
              0u);
    EXPECT_NE(text.find("\r\n0,125;"), std::string::npos);
    EXPECT_EQ(Lines(text), 5u);
    EXPECT_NE(outcome.message.find("r.csv"), std::string::npos);
}

TEST(CsvExportCommand, StandardPresetAndAnOutputOfItsOwn) {
    Disk disk;
    disk.files["r.mrec"] = SmallRecording();
    MemoryFile out;
    CsvExportRequest request;
    request.recording = "r.mrec";
    request.output = "D:\\выгрузка.csv";
    request.standard = true;
    request.listSeparator = ";";
    request.decimalSymbol = ",";
    EXPECT_EQ(RunCsvExport(request, disk.reader(), out).exitCode, 0);
    EXPECT_EQ(out.created, "D:\\выгрузка.csv");
    const std::string text = Text(out);
    EXPECT_EQ(text.find("Время (с),Дата и время,"), 0u);
    EXPECT_NE(text.find("\r\n0.125,"), std::string::npos);
}

TEST(CsvExportCommand, FailuresWriteNothingAndSayWhyWithExitThree) {
    Disk disk;
    disk.files["r.mrec"] = SmallRecording();
    disk.files["junk.mrec"] = std::vector<uint8_t>(100, 'x');
    CsvExportRequest request;

    request.recording = "нет.mrec";
    MemoryFile none;
    CsvExportOutcome outcome = RunCsvExport(request, disk.reader(), none);
    EXPECT_EQ(outcome.exitCode, kExitExportFailed);
    EXPECT_NE(outcome.message.find("не удалось открыть файл записи нет.mrec"), std::string::npos);
    EXPECT_TRUE(none.created.empty());

    request.recording = "junk.mrec";
    outcome = RunCsvExport(request, disk.reader(), none);
    EXPECT_EQ(outcome.exitCode, kExitExportFailed);
    EXPECT_NE(outcome.message.find("не является записью"), std::string::npos) << outcome.message;
    EXPECT_TRUE(none.created.empty());

    request.recording = "r.mrec";
    MemoryFile exists;
    exists.existing.insert("r.csv");
    outcome = RunCsvExport(request, disk.reader(), exists);
    EXPECT_EQ(outcome.exitCode, kExitExportFailed);
    EXPECT_NE(outcome.message.find("r.csv уже есть"), std::string::npos) << outcome.message;
    EXPECT_TRUE(exists.written.empty());

    MemoryFile full;
    full.room = 40;
    outcome = RunCsvExport(request, disk.reader(), full);
    EXPECT_EQ(outcome.exitCode, kExitExportFailed);
    EXPECT_NE(outcome.message.find("нет места на диске"), std::string::npos) << outcome.message;
}

TEST(CsvExportCommand, DamagedRecordingExportsItsWholePartAndSaysSo) {
    Disk disk;
    std::vector<uint8_t> bytes = SmallRecording();
    bytes[bytes.size() - 20] ^= 0xFF; // inside the last records
    disk.files["r.mrec"] = bytes;
    CsvExportRequest request;
    request.recording = "r.mrec";
    request.standard = true;
    MemoryFile out;
    const CsvExportOutcome outcome = RunCsvExport(request, disk.reader(), out);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_NE(outcome.message.find("повреждена"), std::string::npos) << outcome.message;
    const std::size_t lines = Lines(Text(out));
    EXPECT_GE(lines, 1u);
    EXPECT_LT(lines, 5u);
}
