#include "record/FileErrorTexts.h"

#include "record/RecordTexts.h"

namespace {

struct FileErrorRow {
    FileError error;
    const char* texts[6]; // by FileSituation
};

// clang-format off
const FileErrorRow kFileErrorTexts[] = {
//   error                  recording not started             recording stopped              marker text                         export in the window            export on the command line                                                   visit added
    {FileError::None,         {nullptr,                          nullptr,                       nullptr,                            "Сохранено: %s",                nullptr,                                                                     nullptr}},
    {FileError::Exists,       {rectext::kFileExists,             rectext::kFileExists,          rectext::kMarkerTextFailed,         "Файл %s уже есть.",            "файл %s уже есть; выберите другое имя (существующий файл не заменяется).", rectext::kVisitFailed}},
    {FileError::NoSpace,      {rectext::kNotStartedNoSpace,      rectext::kStoppedNoSpace,      rectext::kMarkerTextNoSpace,        "Нет места на диске.",          "не удалось записать %s: нет места на диске.",                              rectext::kVisitNoSpace}},
    {FileError::NoPermission, {rectext::kNotStartedNoPermission, rectext::kStoppedNoPermission, rectext::kMarkerTextNoPermission,   "Нет прав на запись в папку.",  "не удалось записать %s: нет прав на запись.",                              rectext::kVisitNoPermission}},
    {FileError::Other,        {rectext::kCannotCreate,           rectext::kStoppedWriteError,   rectext::kMarkerTextFailed,         "Не удалось записать %s.",      "не удалось записать %s.",                                                  rectext::kVisitFailed}},
};
// clang-format on

const FileErrorRow& RowOf(FileError error) {
    for (const FileErrorRow& row : kFileErrorTexts)
        if (row.error == error) return row;
    return kFileErrorTexts[4]; // an error of no known kind reads as Other
}

} // namespace

const char* FileErrorText(FileError error, FileSituation situation) {
    return RowOf(error).texts[static_cast<int>(situation)];
}

std::string FileErrorMessage(FileError error, FileSituation situation, const std::string& file) {
    const char* text = FileErrorText(error, situation);
    if (text == nullptr) return std::string();
    std::string message = text;
    const std::size_t at = message.find("%s");
    if (at != std::string::npos) message.replace(at, 2, file);
    return message;
}
