#pragma once
// What the recording tells the user, in the user's words.
namespace rectext {

constexpr const char* kStoppedNoSpace = "Запись остановлена: нет места на диске.";
constexpr const char* kStoppedNoPermission = "Запись остановлена: нет прав на запись в папку.";
constexpr const char* kStoppedWriteError = "Запись остановлена: ошибка записи на диск.";
constexpr const char* kCannotCreate = "Не удалось создать файл записи.";
constexpr const char* kFileExists = "Файл записи с таким именем уже есть.";
constexpr const char* kNoReplies = "Запись остановлена: ЭБУ не прислал ни одного ответа.";
constexpr const char* kQueueOverflow = "Запись отстаёт от диска: часть ответов пропущена.";
constexpr const char* kNotStartedNoSpace = "Запись не начата: нет места на диске.";
constexpr const char* kNotStartedNoPermission = "Запись не начата: нет прав на запись в папку.";
constexpr const char* kCannotCreateFolder =
    "Запись не начата: не удалось создать папку для записей.";

// Opening a recording.
constexpr const char* kCannotOpen = "Не удалось открыть файл записи.";
constexpr const char* kNotRecording = "Файл не является записью MOTOSKOP.";
constexpr const char* kNewerFormat = "Запись сделана более новой версией программы.";
constexpr const char* kDamaged = "Запись повреждена: показана её целая часть.";
constexpr const char* kEmpty = "В записи нет ни одного опроса.";

// Giving a marker its text in replay.
constexpr const char* kMarkerTextNoSpace = "Текст метки не сохранён: нет места на диске.";
constexpr const char* kMarkerTextNoPermission =
    "Текст метки не сохранён: нет прав на запись файла.";
constexpr const char* kMarkerTextFailed =
    "Текст метки не сохранён: файл записи повреждён или недоступен.";

// The vehicle and visit typed after a recording, added to its file.
constexpr const char* kVisitNoSpace = "Данные визита не сохранены: нет места на диске.";
constexpr const char* kVisitNoPermission = "Данные визита не сохранены: нет прав на запись файла.";
constexpr const char* kVisitFailed =
    "Данные визита не сохранены: файл записи повреждён или недоступен.";

// The event column of the CSV and the event list.
constexpr const char* kNoAnswer = "нет ответа";
constexpr const char* kWrongEcho = "неверное эхо";
constexpr const char* kLinkBroken = "связь прервана";
constexpr const char* kNotPolled = "порт закрыт";
constexpr const char* kLinkStart = "СТАРТ";
constexpr const char* kLinkStop = "СТОП";
constexpr const char* kRecordStart = "начало записи";
constexpr const char* kCommand = "команда";
constexpr const char* kConfirmed = "подтверждена";
constexpr const char* kRejected = "отклонена";
constexpr const char* kCodeAppeared = "появился код";
constexpr const char* kCodeGone = "исчез код";
constexpr const char* kClearCodes = "сброс кодов";
constexpr const char* kMarker = "метка";

} // namespace rectext
