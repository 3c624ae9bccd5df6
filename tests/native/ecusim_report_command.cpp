// --report on a recording of the simulated car: the JSON names the fault's verdict, the HTML
// holds no script and nothing fetched, and a file that cannot be read or written fails with
// --export-csv's exit code, leaving what is there untouched.
#include <gtest/gtest.h>

#include <map>

#include "replay/CsvExportCommand.h"
#include "report/ReportCommand.h"
#include "tests/native/simulated_drive.h"
#include "tools/ecusim/EngineFaults.h"

namespace {

class MemoryFile : public RecordFile {
  public:
    std::map<std::string, std::string> files;
    FileError create(const std::string& path) override {
        if (files.count(path)) return FileError::Exists;
        current_ = path;
        files[path];
        return FileError::None;
    }
    FileError openAppend(const std::string&) override { return FileError::Other; }
    FileError append(const uint8_t* data, std::size_t size) override {
        files[current_].append(reinterpret_cast<const char*>(data), size);
        return FileError::None;
    }
    FileError flush() override { return FileError::None; }
    void close() override {}

  private:
    std::string current_;
};

} // namespace

TEST(ReportCommand, WritesTheFaultsVerdictAsJsonAndHtmlAndFailsLikeTheCsvExport) {
    simdrive::Drive drive;
    ASSERT_TRUE(ecusim::parseEngineFaults("tps-dropout", drive.faults));
    const std::vector<uint8_t> faulty = simdrive::RecordDrive(drive);
    drive.faults = 0;
    const std::vector<uint8_t> sound = simdrive::RecordDrive(drive);
    auto read = [&](const std::string& path, std::vector<uint8_t>& out) {
        if (path == "after.mrec")
            out = faulty;
        else if (path == "before.mrec")
            out = sound;
        else
            return false;
        return true;
    };
    MemoryFile file;
    ReportRequest request;
    request.recording = "after.mrec";
    request.before = "before.mrec";
    request.output = "r.json";
    EXPECT_EQ(RunReport(request, read, file).exitCode, 0);
    const std::string& json = file.files["r.json"];
    EXPECT_NE(json.find("\"id\": \"throttle\", \"title\": \"Датчик положения дросселя\", "
                        "\"verdict\": \"fault\""),
              std::string::npos);
    EXPECT_NE(json.find("\"before\": {"), std::string::npos);

    request.output = "";
    EXPECT_EQ(RunReport(request, read, file).exitCode, 0);
    const std::string& html = file.files["after.html"];
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("неисправность"), std::string::npos);
    EXPECT_NE(html.find("<svg"), std::string::npos);
    EXPECT_NE(html.find("до и после ремонта"), std::string::npos);
    for (const char* never : {"<script", "https://", "src=", "<link"})
        EXPECT_EQ(html.find(never), std::string::npos) << never;

    const std::string before = html;
    EXPECT_EQ(RunReport(request, read, file).exitCode, kExitExportFailed); // exists: untouched
    EXPECT_EQ(file.files["after.html"], before);
    request.recording = "missing.mrec";
    EXPECT_EQ(RunReport(request, read, file).exitCode, kExitExportFailed);
}

TEST(ReportCommand, TheVisitTheWorkshopAndTheAdapterAreInBothReportsWhereTheRecordingHasThem) {
    simdrive::Drive plain;
    plain.seconds = 30;
    simdrive::Drive visited = plain;
    visited.visit.plate = "А123ВС77";
    visited.visit.vin = "XWB3D31UD8A123456";
    visited.visit.odometerKm = 123456;
    visited.visit.complaint = "Плавают обороты\n<на холодную>";
    visited.visit.workDone = "Замена ДПДЗ";
    visited.adapter = "FTDI";
    visited.adapterId = "USB\\VID_0403&PID_6001";
    visited.latencyMs = 16;
    const std::vector<uint8_t> withVisit = simdrive::RecordDrive(visited);
    const std::vector<uint8_t> without = simdrive::RecordDrive(plain);
    auto read = [&](const std::string& path, std::vector<uint8_t>& out) {
        out = path == "v.mrec" ? withVisit : without;
        return true;
    };
    struct Case {
        const char* recording;
        const char* output;
        std::vector<const char*> holds, lacks;
    };
    const Case cases[] = {
        {"v.mrec",
         "v.json",           {"\"version\": 2", "\"workshop\": \"СТО «Мотор»\"", "\"plate\": \"А123ВС77\"",
          "\"odometerKm\": 123456", "\"complaint\": \"Плавают обороты\\n<на холодную>\"",
          "\"adapter\": {\"chip\": \"FTDI\"", "\"latencyMs\": 16", "уменьшите её до 1–2 мс"},
         {"\"adapter\": null"}                                                                                                                                         },
        {"p.mrec",
         "p.json",           {"\"plate\": \"\"", "\"odometerKm\": null", "\"adapter\": null"},
         {"FTDI"}                                                                                                                                                      },
        {"v.mrec",
         "v.html",           {"<h1>СТО «Мотор»</h1>", "<th>Госномер</th><td>А123ВС77</td>", "123 456 км",
          "Плавают обороты<br>&lt;на холодную&gt;", "Адаптер (микросхема USB)</td><td>FTDI",
          "Задержка (Latency Timer)</td><td>16 мс", "уменьшите её до 1–2 мс"},
         {}                                                                                                                                                            },
        {"p.mrec", "p.html", {},                                                                                                 {"Госномер", "Адаптер"}},
    };
    for (const Case& c : cases) {
        MemoryFile file;
        ReportRequest request;
        request.recording = c.recording;
        request.output = c.output;
        request.workshop = "СТО «Мотор»";
        ASSERT_EQ(RunReport(request, read, file).exitCode, 0) << c.output;
        const std::string& text = file.files[c.output];
        for (const char* piece : c.holds)
            EXPECT_NE(text.find(piece), std::string::npos) << c.output << ": " << piece;
        for (const char* piece : c.lacks)
            EXPECT_EQ(text.find(piece), std::string::npos) << c.output << ": " << piece;
    }
}
