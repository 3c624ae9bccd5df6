#include "record/RecordingName.h"

#include <cstring>

std::string SanitiseFileNamePart(const std::string& text) {
    std::string out;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        out += (u < 32 || std::strchr("<>:\"/\\|?*", c)) ? '-' : c;
    }
    while (!out.empty() && (out.back() == '.' || out.back() == ' '))
        out.pop_back();
    return out.empty() ? "-" : out;
}

std::string RecordingFileName(const std::string& car, const std::string& engine,
                              const LocalTime& start) {
    return SanitiseFileNamePart(car) + "_" + SanitiseFileNamePart(engine) + "_" +
           FileNameStamp(start) + kRecordingExtension;
}

std::string RecordingFileNameTry(const std::string& name, int n) {
    if (n <= 1) return name;
    const std::size_t dot = name.rfind('.');
    const std::size_t at = dot == std::string::npos ? name.size() : dot;
    return name.substr(0, at) + " (" + std::to_string(n) + ")" + name.substr(at);
}
