#pragma once
// For Windows tests under Wine: drive the ECU simulator the harness started.
// The harness exports the control file and the log as Unix paths; Wine shows the
// Unix root as drive Z:.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace ecusim_control {

inline std::string windowsPath(const char* unixPath) {
    std::string p = std::string("Z:") + unixPath;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

inline bool available() {
    return std::getenv("MOTOSKOP_ECUSIM_CONTROL") && std::getenv("MOTOSKOP_ECUSIM_LOG");
}

// Appends a command and waits (up to two seconds) until the simulator has applied it.
inline bool send(const std::string& command) {
    static int marks = 0;
    if (!available()) return false;
    const std::string mark =
        "win-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++marks);
    {
        std::ofstream out(windowsPath(std::getenv("MOTOSKOP_ECUSIM_CONTROL")),
                          std::ios::app | std::ios::binary);
        out << command << "\nmark " << mark << "\n";
        if (!out) return false;
    }
    const std::string wanted = "ctl mark " + mark;
    for (int i = 0; i < 200; ++i) {
        std::ifstream log(windowsPath(std::getenv("MOTOSKOP_ECUSIM_LOG")), std::ios::binary);
        for (std::string line; std::getline(log, line);)
            if (line == wanted) return true;
        Sleep(10);
    }
    return false;
}

// True when the log holds this line (e.g. "rx F4 60 04 00 ... A8").
inline bool logHas(const std::string& line) {
    if (!available()) return false;
    std::ifstream log(windowsPath(std::getenv("MOTOSKOP_ECUSIM_LOG")), std::ios::binary);
    for (std::string l; std::getline(log, l);)
        if (l == line) return true;
    return false;
}

} // namespace ecusim_control
