#pragma once
// The workshop's name, which heads every report: the REG_SZ value `Workshop` under
// HKEY_CURRENT_USER\MOTOSKOP (docs/settings.md). Typed in the window «Автомобиль и
// визит»; read by the report, with and without a window.
#include <cstddef>
#include <string>

class Registry;

// A name longer than this is cut (never inside a letter) when saved.
constexpr std::size_t kMaxWorkshopBytes = 200;
constexpr int kWorkshopChars = 100; // what the field lets be typed

// The stored name; empty when there is none (or it is no text).
std::string LoadWorkshopName(Registry& registry);
// False when it cannot be stored (a read-only registry): the user is told, the
// name typed stays in the window.
bool SaveWorkshopName(Registry& registry, const std::string& name);

constexpr const char* kWorkshopNotSaved =
    "Название мастерской не сохранено: реестр недоступен для записи.";
