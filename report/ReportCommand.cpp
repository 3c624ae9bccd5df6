#include "report/ReportCommand.h"

#include "platform/Paths.h"
#include "record/FileErrorTexts.h"
#include "startup/CommandLine.h"
#include "analysis/RecordingLoader.h"
#include "report/ReportModel.h"

namespace {

ReportOutcome Failed(const std::string& text) {
    return {kExitExportFailed, "motoskop: " + text + "\n"};
}

bool EndsWith(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size()) return false;
    for (std::size_t k = 0; k < tail.size(); ++k) {
        char c = s[s.size() - tail.size() + k];
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c != tail[k]) return false;
    }
    return true;
}

// The recording analysed, or the reason it is not.
bool Load(const std::string& path,
          const std::function<bool(const std::string&, std::vector<uint8_t>&)>& readFile,
          analysis::LoadResult& out, std::string& why) {
    std::vector<uint8_t> bytes;
    if (!readFile(path, bytes)) {
        why = "не удалось открыть файл записи " + path + ".";
        return false;
    }
    analysis::MemoryByteSource source(std::move(bytes));
    analysis::LoadControl control;
    out = analysis::LoadRecording(source, control);
    if (out.status != analysis::LoadStatus::Ready || !out.recording) {
        why = path + ": " + out.message;
        return false;
    }
    return true;
}

} // namespace

std::string DefaultReportPath(const std::string& recording) {
    return WithExtension(recording, ".html");
}

FileError WriteReport(const report::Report& r, const std::string& output, RecordFile& file) {
    const std::string text =
        EndsWith(output, ".json") ? report::ReportJson(r) : report::ReportHtml(r);
    FileError error = file.create(output);
    if (error == FileError::None)
        error = file.append(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (error == FileError::None) error = file.flush();
    file.close();
    return error;
}

ReportOutcome
RunReport(const ReportRequest& request,
          const std::function<bool(const std::string&, std::vector<uint8_t>&)>& readFile,
          RecordFile& file) {
    analysis::LoadResult after, before;
    std::string why;
    if (!Load(request.recording, readFile, after, why)) return Failed(why);
    if (!request.before.empty() && !Load(request.before, readFile, before, why)) return Failed(why);
    const report::Report r =
        report::MakeReport(after.recording, request.recording, before.recording, request.before,
                           request.workshop, request.madeOn);
    const std::string output =
        request.output.empty() ? DefaultReportPath(request.recording) : request.output;
    const FileError error = WriteReport(r, output, file);
    if (error != FileError::None)
        return Failed(FileErrorMessage(error, FileSituation::ExportCommand, output));
    ReportOutcome outcome;
    outcome.message =
        "Записано: " + output + " (проверок: " + std::to_string(r.drive.checks.size()) + ").\n";
    if (!after.message.empty()) outcome.message += after.message + "\n";
    return outcome;
}
