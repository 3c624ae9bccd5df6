#include "record/VisitFields.h"

#include <cstddef>

namespace {

constexpr std::size_t kVinLength = 17;

// The Cyrillic letters of a Russian plate and the Latin letters they look like.
struct LookAlike {
    char32_t cyrillic;
    char latin;
};
// clang-format off
const LookAlike kLookAlikes[] = {
    {U'А', 'A'}, {U'В', 'B'}, {U'Е', 'E'}, {U'К', 'K'}, {U'М', 'M'}, {U'Н', 'H'},
    {U'О', 'O'}, {U'Р', 'P'}, {U'С', 'C'}, {U'Т', 'T'}, {U'У', 'Y'}, {U'Х', 'X'},
};
// clang-format on

// The code point starting at text[at], and its length in bytes (a stray byte
// counts as itself, one byte long).
char32_t codePointAt(const std::string& text, std::size_t at, std::size_t& length) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    length = lead < 0x80         ? 1
             : (lead >> 5) == 6  ? 2
             : (lead >> 4) == 14 ? 3
             : (lead >> 3) == 30 ? 4
                                 : 1;
    if (at + length > text.size()) length = 1;
    if (length == 1) return lead;
    char32_t cp = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t upper(char32_t cp) {
    if (cp >= U'a' && cp <= U'z') return cp - 0x20;
    if (cp >= U'а' && cp <= U'я') return cp - 0x20;
    if (cp == U'ё') return U'Ё';
    return cp;
}

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string trimmed(const std::string& text) {
    std::size_t from = 0, to = text.size();
    while (from < to && blank(text[from]))
        ++from;
    while (to > from && blank(text[to - 1]))
        --to;
    return text.substr(from, to - from);
}

// One line: line breaks become blanks.
std::string oneLine(const std::string& text) {
    std::string line = trimmed(text);
    for (char& c : line)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    return line;
}

// Line ends as "\n" (the edit gives "\r\n").
std::string lines(const std::string& text) {
    std::string out;
    const std::string t = trimmed(text);
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r') {
            out += '\n';
            if (i + 1 < t.size() && t[i + 1] == '\n') ++i;
        } else {
            out += t[i];
        }
    }
    return out;
}

// Upper case, blanks dropped, look-alikes as Latin letters.
std::string vehicleKey(const std::string& text) {
    std::string key;
    for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
        char32_t cp = upper(codePointAt(text, at, length));
        if (cp == U' ' || cp == U'\t' || cp == U'\u00A0') continue;
        for (const LookAlike& l : kLookAlikes)
            if (cp == l.cyrillic) cp = static_cast<char32_t>(l.latin);
        appendUtf8(key, cp);
    }
    return key;
}

bool vinCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z' && c != 'I' && c != 'O' && c != 'Q');
}

} // namespace

bool VisitFromTexts(const VisitTexts& texts, recfile::Visit& out, std::string& why) {
    recfile::Visit visit;
    visit.plate = oneLine(texts.plate);
    std::string vin;
    for (char c : oneLine(texts.vin))
        vin += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    visit.vin = vin;
    std::string digits;
    for (char c : texts.odometer) {
        if (blank(c) || c == '.' || c == ',') continue; // "123 456", "123.456"
        if (c < '0' || c > '9') {
            why = "Пробег: только цифры, в километрах.";
            return false;
        }
        digits += c;
    }
    if (!digits.empty()) {
        if (digits.size() > 7 || std::stoul(digits) > recfile::kMaxOdometerKm) {
            why = "Пробег: не больше 9 999 999 км.";
            return false;
        }
        visit.odometerKm = static_cast<uint32_t>(std::stoul(digits));
    }
    visit.complaint = lines(texts.complaint);
    visit.workDone = lines(texts.workDone);
    out = visit;
    why.clear();
    return true;
}

VisitTexts TextsOfVisit(const recfile::Visit& visit) {
    VisitTexts texts;
    texts.plate = visit.plate;
    texts.vin = visit.vin;
    texts.odometer = OdometerText(visit.odometerKm);
    // The edit shows line breaks given as "\r\n".
    auto editLines = [](const std::string& text) {
        std::string out;
        for (char c : text)
            out += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return out;
    };
    texts.complaint = editLines(visit.complaint);
    texts.workDone = editLines(visit.workDone);
    return texts;
}

std::string VinWarning(const std::string& vin) {
    const std::string v = oneLine(vin);
    if (v.empty()) return std::string();
    std::size_t characters = 0;
    bool foreign = false;
    for (std::size_t at = 0, length = 0; at < v.size(); at += length) {
        const char32_t cp = upper(codePointAt(v, at, length));
        ++characters;
        if (cp >= 0x80 || !vinCharacter(static_cast<char>(cp))) foreign = true;
    }
    if (foreign)
        return "VIN: только цифры и латинские буквы, кроме I, O и Q. Проверьте, не введены ли "
               "русские буквы.";
    if (characters != kVinLength)
        return "VIN: в нём 17 знаков, а введено " + std::to_string(characters) + ".";
    return std::string();
}

std::string OdometerText(uint32_t km) {
    if (km == recfile::kNoOdometer) return std::string();
    const std::string digits = std::to_string(km);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ' ';
        text += digits[i];
    }
    return text;
}

std::string PlateKey(const std::string& plate) {
    return vehicleKey(plate);
}

std::string VinKey(const std::string& vin) {
    return vehicleKey(vin);
}
