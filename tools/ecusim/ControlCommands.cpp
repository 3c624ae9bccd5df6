#include "tools/ecusim/ControlCommands.h"

#include <cstdlib>
#include <sstream>
#include <vector>

namespace ecusim {

const char* faultName(Fault f) {
    switch (f) {
    case Fault::None:
        return "none";
    case Fault::Silent:
        return "silent";
    case Fault::EchoOnly:
        return "echo";
    case Fault::Short:
        return "short";
    case Fault::Long69:
        return "long69";
    case Fault::Long70:
        return "long70";
    case Fault::WrongEcho:
        return "wrongecho";
    case Fault::Garbage:
        return "garbage";
    case Fault::HangUp:
        return "hangup";
    case Fault::Drop:
        return "drop";
    }
    return "?";
}

namespace {

struct FaultWord {
    const char* word;
    Fault fault;
    bool needsCount;
};

const FaultWord kFaultWords[] = {
    {"none",      Fault::None,      false},
    {"silent",    Fault::Silent,    false},
    {"echo",      Fault::EchoOnly,  false},
    {"short",     Fault::Short,     false},
    {"long69",    Fault::Long69,    false},
    {"long70",    Fault::Long70,    false},
    {"wrongecho", Fault::WrongEcho, false},
    {"garbage",   Fault::Garbage,   false},
    {"hangup",    Fault::HangUp,    true },
    {"drop",      Fault::Drop,      true },
};

bool parseInt(const std::string& word, int base, long lo, long hi, long& out) {
    if (word.empty()) return false;
    char* end = nullptr;
    const long v = std::strtol(word.c_str(), &end, base);
    if (*end != '\0' || v < lo || v > hi) return false;
    out = v;
    return true;
}

bool parseOnOff(const std::string& word, bool& out) {
    if (word == "on" || word == "1") {
        out = true;
        return true;
    }
    if (word == "off" || word == "0") {
        out = false;
        return true;
    }
    return false;
}

} // namespace

ControlResult applyControlLine(const std::string& line, Settings& settings,
                               const Settings& initial) {
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string word; in >> word;)
        w.push_back(word);
    if (w.empty()) return ControlResult::Error;
    const std::string& cmd = w[0];
    long n = 0;
    Settings next = settings;

    if (cmd == "mark") return ControlResult::Mark;
    if (cmd == "quit") return ControlResult::Quit;
    if (cmd == "reset" && w.size() == 1) {
        settings = initial;
        return ControlResult::Applied;
    }
    if (cmd == "family" && w.size() == 2 && parseInt(w[1], 10, 1, 4, n)) {
        next.family = static_cast<int>(n);
    } else if (cmd == "confirm" && w.size() == 2 && parseOnOff(w[1], next.confirm)) {
    } else if (cmd == "pace" && w.size() == 2 && parseOnOff(w[1], next.pace)) {
    } else if (cmd == "delay" && w.size() == 2 && parseInt(w[1], 10, 0, 5000, n)) {
        next.delayMs = static_cast<int>(n);
    } else if (cmd == "codes" && w.size() == 5) {
        for (int i = 0; i < 4; ++i) {
            if (!parseInt(w[i + 1], 16, 0, 255, n)) return ControlResult::Error;
            next.codes[i] = static_cast<uint8_t>(n);
        }
    } else if (cmd == "hold" && w.size() == 2 && w[1] == "off") {
        next.holdRpm = 0;
    } else if (cmd == "hold" && w.size() == 2 && parseInt(w[1], 10, 500, 6000, n)) {
        next.holdRpm = static_cast<int>(n);
    } else if (cmd == "engine-fault" && w.size() >= 2) {
        std::string list;
        for (size_t i = 1; i < w.size(); ++i)
            list += w[i] + " ";
        if (!parseEngineFaults(list, next.engineFaults)) return ControlResult::Error;
    } else if (cmd == "fault" && w.size() >= 2) {
        const FaultWord* found = nullptr;
        for (const FaultWord& f : kFaultWords)
            if (w[1] == f.word) found = &f;
        if (found == nullptr || w.size() != (found->needsCount ? 3u : 2u))
            return ControlResult::Error;
        next.fault = found->fault;
        next.faultCount = 0;
        if (found->needsCount) {
            if (!parseInt(w[2], 10, found->fault == Fault::Drop ? 1 : 0, 1000000, n))
                return ControlResult::Error;
            next.faultCount = static_cast<int>(n);
        }
    } else {
        return ControlResult::Error;
    }
    settings = next;
    return ControlResult::Applied;
}

} // namespace ecusim
