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
