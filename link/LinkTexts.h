#pragma once
// Status-line texts of the link (Label51), exactly as the user sees them.

namespace linktext {
constexpr const char* kConnecting = "Установление связи с ЭБУ.";
constexpr const char* kOpenFailed = "Ошибка открытия порта!";
constexpr const char* kDataReceived = "Данные получены.";
constexpr const char* kNoAnswer = "ЭБУ не отвечает!";
constexpr const char* kLinkBroken = "Связь с ЭБУ  прервана."; // two blanks, as shown since ever
constexpr const char* kCheckAdapter = "Проверте адаптер!";
} // namespace linktext
