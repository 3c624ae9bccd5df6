#include "replay/CsvExportCommand.h"

#include <cctype>

#include "startup/SystemChoices.h"
#include "platform/Paths.h"
#include "record/CsvExport.h"
#include "record/FileErrorTexts.h"
#include "record/RecordingReader.h"

namespace {

CsvExportOutcome Failed(const std::string& text) {
    return {kExitExportFailed, "motoskop: " + text + "\n"};
}

} // namespace

CsvOptions CsvPreset(bool standard, const std::string& listSeparator,
                     const std::string& decimalSymbol) {
    if (standard) return StandardCsv();
    const char decimal = ChooseDecimalSeparator(decimalSymbol);
    return ExcelCsv(ChooseListSeparator(listSeparator, decimal), decimal);
}

std::string DefaultCsvPath(const std::string& recording) {
    return WithExtension(recording, ".csv");
}

char ChooseListSeparator(const std::string& localeSeparator, char decimalSymbol) {
    if (localeSeparator.size() == 1) {
        const char c = localeSeparator[0];
        if (c > ' ' && c < 0x7F && c != decimalSymbol && c != '"' &&
            !std::isalnum(static_cast<unsigned char>(c)))
            return c;
    }
    return ';';
}

CsvExportOutcome
RunCsvExport(const CsvExportRequest& request,
             const std::function<bool(const std::string&, std::vector<uint8_t>&)>& readFile,
             RecordFile& file) {
    std::vector<uint8_t> bytes;
    if (!readFile(request.recording, bytes))
        return Failed("не удалось открыть файл записи " + request.recording + ".");
    RecordingReader reader;
    const ReadStatus status = reader.openBytes(std::move(bytes));
    if (status == ReadStatus::NotRecording || status == ReadStatus::NewerFormat ||
        status == ReadStatus::CannotOpen)
        return Failed(request.recording + ": " + reader.message());

    const CsvOptions options =
        CsvPreset(request.standard, request.listSeparator, request.decimalSymbol);
    const std::string output =
        request.output.empty() ? DefaultCsvPath(request.recording) : request.output;
    const FileError error = ExportCsv(reader, options, CsvSpan(), file, output);
    if (error != FileError::None)
        return Failed(FileErrorMessage(error, FileSituation::ExportCommand, output));

    CsvExportOutcome outcome;
    outcome.message =
        "Записано: " + output + " (опросов: " + std::to_string(reader.pollCount()) + ").\n";
    if (status == ReadStatus::Damaged)
        outcome.message += "Запись повреждена: выгружена её целая часть.\n";
    return outcome;
}
