#pragma once
// What the analysis of a recording tells the user, in the user's words. The
// reader's own texts (a damaged file, not a recording) come from
// record/RecordTexts.h; these are the analysis's.
namespace analysistext {

// Nothing to analyse.
constexpr const char* kNoDecoderFamily5 =
    "Запись сделана с ЭБУ семейства 5: для него в программе нет расшифровки ответов, "
    "поэтому анализировать нечего.";
constexpr const char* kNoDecoderFamily =
    "В записи не указано семейство ЭБУ, которое программа умеет расшифровывать: "
    "анализировать нечего.";
constexpr const char* kNoGoodPoll =
    "В записи нет ни одного удачного опроса: ЭБУ ни разу не ответил, анализировать нечего.";
constexpr const char* kCannotRead = "Не удалось прочитать файл записи.";
constexpr const char* kOutOfMemory = "Не хватает памяти, чтобы открыть эту запись для анализа.";
constexpr const char* kCancelled = "Открытие записи отменено.";

// Something left out.
constexpr const char* kTooLong =
    "Запись слишком длинная: анализируются только её первые 32 МБ (около 14 часов).";
constexpr const char* kOtherFamilyParts =
    "Часть записи сделана с ЭБУ другого семейства: эти участки показаны пустыми.";

// Two drives.
// "Вторая запись сделана с ЭБУ семейства 2, а первая — с ЭБУ семейства 4: ..."
constexpr const char* kSecondDriveFamily = "Вторая запись сделана с ЭБУ семейства ";
constexpr const char* kFirstDriveFamily = ", а первая — с ЭБУ семейства ";
constexpr const char* kOnlySameFamily = ": сравнивать можно только записи одного семейства ЭБУ.";

// The cursor on a poll of a segment left out.
constexpr const char* kOtherFamilyPoll = "участок другого семейства ЭБУ";

// The span list.
constexpr const char* kFirstPoll = "первый опрос";
constexpr const char* kLastPoll = "последний опрос";
constexpr const char* kSegment = "новый участок";

} // namespace analysistext
