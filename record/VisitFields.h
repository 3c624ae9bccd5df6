#pragma once
// The vehicle and visit as the window «Автомобиль и визит» takes them: the texts as
// typed made into a Visit (blanks trimmed, line ends as "\n", each cut to what its
// record holds), the soft check of a VIN, the odometer as text, and the keys two
// visits are told to be one vehicle by.
#include <string>

#include "record/RecordFormat.h"

// The dialog's fields as typed, UTF-8.
struct VisitTexts {
    std::string plate;
    std::string vin;
    std::string odometer; // kilometres: digits, blanks between groups allowed
    std::string complaint;
    std::string workDone;
};

// The characters the dialog lets be typed into each field (a Cyrillic letter takes
// two bytes: these fit the record's limits).
constexpr int kPlateChars = 16;
constexpr int kVinChars = 17 + 3; // a VIN with a stray character or two, still warned of
constexpr int kOdometerChars = 9; // "9 999 999"
constexpr int kComplaintChars = 500;
constexpr int kWorkDoneChars = 1000;

// The texts as a Visit; false, with why in Russian, when the odometer is not a
// number of kilometres (the texts stay as typed in the dialog).
bool VisitFromTexts(const VisitTexts& texts, recfile::Visit& out, std::string& why);
VisitTexts TextsOfVisit(const recfile::Visit& visit);

// What is odd about a VIN, in Russian: empty when it is empty or 17 characters of
// the VIN alphabet (digits and Latin letters but I, O and Q). Only a warning: a
// VIN is taken as typed.
std::string VinWarning(const std::string& vin);

// "123 456" (thousands apart); empty for kNoOdometer.
std::string OdometerText(uint32_t km);

// Plates compared: upper case, blanks dropped, and the Cyrillic letters a Russian
// plate uses (А В Е К М Н О Р С Т У Х) as the Latin letters they look like, so
// "а 123 вс 77" and "A123BC77" are one plate.
std::string PlateKey(const std::string& plate);
// VINs compared: upper case, blanks dropped.
std::string VinKey(const std::string& vin);
