#pragma once
// The status lines as the user reads them, typed here as they stand on the screen:
// literal texts for the tests to compare against, not the program's own constants.

namespace shown {
const char* const kConnecting = "Установление связи с ЭБУ.";
const char* const kOpenFailed = "Ошибка открытия порта!";
const char* const kDataReceived = "Данные получены.";
const char* const kNoAnswer = "ЭБУ не отвечает!";
const char* const kLinkBroken = "Связь с ЭБУ  прервана."; // two blanks
const char* const kCheckAdapter = "Проверте адаптер!";
} // namespace shown
