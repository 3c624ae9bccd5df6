#include "tools/ecusim/EngineFaults.h"

namespace ecusim {

namespace {

struct FaultName {
    const char* name;
    EngineFault fault;
};

// clang-format off
const FaultName kNames[] = {
    {"o2-lazy",         EngineFault::O2Lazy},
    {"o2-lean",         EngineFault::O2StuckLean},
    {"o2-rich",         EngineFault::O2StuckRich},
    {"trim-lean",       EngineFault::TrimLean},
    {"trim-rich",       EngineFault::TrimRich},
    {"thermostat-open", EngineFault::ThermostatOpen},
    {"coolant-open",    EngineFault::CoolantOpen},
    {"coolant-short",   EngineFault::CoolantShorted},
    {"tps-dropout",     EngineFault::ThrottleDropout},
    {"idle-unstable",   EngineFault::IdleUnstable},
    {"charging-weak",   EngineFault::WeakCharging},
    {"fan-dead",        EngineFault::FanDead},
};
// clang-format on

} // namespace

const char* engineFaultName(EngineFault f) {
    for (const FaultName& n : kNames)
        if (n.fault == f) return n.name;
    return nullptr;
}

bool parseEngineFaults(const std::string& list, EngineFaults& out) {
    EngineFaults set = 0;
    bool none = false;
    int words = 0;
    std::string word;
    auto take = [&]() {
        if (word.empty()) return true;
        ++words;
        if (word == "none") {
            none = true;
            word.clear();
            return true;
        }
        for (const FaultName& n : kNames)
            if (word == n.name) {
                set |= static_cast<uint32_t>(n.fault);
                word.clear();
                return true;
            }
        return false;
    };
    for (char c : list) {
        if (c == ',' || c == ' ' || c == '\t') {
            if (!take()) return false;
        } else {
            word += c;
        }
    }
    if (!take() || words == 0 || (none && set != 0)) return false;
    out = set;
    return true;
}

std::string engineFaultList(EngineFaults set) {
    std::string list;
    for (const FaultName& n : kNames)
        if (has(set, n.fault)) list += (list.empty() ? "" : ",") + std::string(n.name);
    return list.empty() ? "none" : list;
}

} // namespace ecusim
