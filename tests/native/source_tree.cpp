// The house rules of the source tree, read from the files themselves: the
// portable core includes no Win32 or GL header, Win32 files outside platform/
// and ui/ say so in their names, nothing below the windows includes app/, and
// the folders do not include each other in a circle.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <cctype>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kRoot = MOTOSKOP_SOURCE_DIR;
const std::vector<std::string> kProgramFolders = {
    "app",      "startup", "ecu",    "state",  "link",     "live",    "codes", "record",
    "analysis", "checks",  "report", "replay", "settings", "glpanel", "ui",    "platform"};

std::string readFile(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// "#include <x>" (open '<') or "#include "x"" (open '"') of one file, in order.
std::vector<std::string> includesOf(const fs::path& path, char open) {
    const char close = open == '<' ? '>' : '"';
    std::vector<std::string> found;
    std::istringstream text(readFile(path));
    std::string line;
    while (std::getline(text, line)) {
        std::istringstream words(line);
        std::string hash, rest;
        words >> hash;
        if (hash == "#") words >> hash, hash = "#" + hash;
        if (hash != "#include") continue;
        std::getline(words, rest);
        const auto first = rest.find_first_not_of(" \t");
        if (first == std::string::npos || rest[first] != open) continue;
        const auto end = rest.find(close, first + 1);
        if (end != std::string::npos) found.push_back(rest.substr(first + 1, end - first - 1));
    }
    return found;
}

bool isWin32Header(std::string header) {
    for (char& c : header)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static const std::set<std::string> kWin32 = {
        "windows.h", "windowsx.h", "commctrl.h", "commdlg.h", "mmsystem.h",
        "wingdi.h",  "winspool.h", "shellapi.h", "shlobj.h",  "setupapi.h"};
    return kWin32.count(header) != 0 || header.rfind("gl/", 0) == 0;
}

// The program's own source files, relative to the root ("link/LinkCycle.cpp").
std::vector<std::string> programFiles() {
    std::vector<std::string> files;
    for (const std::string& folder : kProgramFolders)
        for (const auto& entry : fs::directory_iterator(kRoot / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext == ".cpp" || ext == ".h")
                files.push_back(folder + "/" + entry.path().filename().string());
        }
    return files;
}

std::string folderOf(const std::string& file) {
    return file.substr(0, file.find('/'));
}

// The CORE files of every sources.cmake.
std::vector<std::string> coreSources() {
    std::vector<std::string> core;
    for (const std::string& folder : kProgramFolders) {
        std::istringstream text(readFile(kRoot / folder / "sources.cmake"));
        std::string word;
        bool inCore = false;
        while (text >> word) {
            if (word == "CORE")
                inCore = true;
            else if (word == "WINDOWS" || word == "HOST" || word == ")")
                inCore = false;
            else if (inCore && word.size() > 4 && word.substr(word.size() - 4) == ".cpp")
                core.push_back(folder + "/" + word);
        }
    }
    return core;
}

TEST(SourceTree, CoreFilesAndTheHeadersTheyReachIncludeNoWin32OrGl) {
    const std::vector<std::string> core = coreSources();
    ASSERT_GT(core.size(), 30u) << "the CORE lists of the sources.cmake files were not read";
    std::set<std::string> seen;
    std::vector<std::pair<std::string, std::string>> todo; // file, the core file that reaches it
    for (const std::string& file : core)
        todo.emplace_back(file, file);
    while (!todo.empty()) {
        const auto [file, from] = todo.back();
        todo.pop_back();
        if (!seen.insert(file).second) continue;
        ASSERT_TRUE(fs::exists(kRoot / file)) << file << " (listed or included by " << from << ")";
        for (const std::string& header : includesOf(kRoot / file, '<'))
            EXPECT_FALSE(isWin32Header(header))
                << file << " includes <" << header << "> and is core (reached from " << from << ")";
        for (const std::string& local : includesOf(kRoot / file, '"'))
            if (fs::exists(kRoot / local)) todo.emplace_back(local, from);
    }
}

TEST(SourceTree, Win32FilesOutsideThePlatformLayersSaySoInTheirNames) {
    for (const std::string& file : programFiles()) {
        const std::string folder = folderOf(file);
        if (folder == "platform" || folder == "ui") continue;
        bool win32 = false;
        for (const std::string& header : includesOf(kRoot / file, '<'))
            win32 = win32 || isWin32Header(header);
        if (!win32) continue;
        const std::string name = fs::path(file).filename().string();
        const bool named = name.rfind("TForm", 0) == 0 || name == "WinMain.cpp" ||
                           name.find("_win32.") != std::string::npos;
        EXPECT_TRUE(named) << file << " includes Win32 or GL headers: name it *_win32";
    }
}

TEST(SourceTree, NothingBelowTheWindowsIncludesApp) {
    for (const std::string& file : programFiles()) {
        if (folderOf(file) == "app") continue;
        for (const std::string& local : includesOf(kRoot / file, '"'))
            EXPECT_NE(local.rfind("app/", 0), 0u) << file << " includes " << local;
    }
}

TEST(SourceTree, FoldersIncludeEachOtherWithoutACircle) {
    std::map<std::string, std::set<std::string>> uses; // folder -> folders it includes from
    for (const std::string& file : programFiles())
        for (const std::string& local : includesOf(kRoot / file, '"')) {
            const auto slash = local.find('/');
            if (slash == std::string::npos) continue;
            const std::string to = local.substr(0, slash);
            if (to != folderOf(file) && fs::exists(kRoot / local)) uses[folderOf(file)].insert(to);
        }

    // Depth-first search for a back edge; the path names the circle.
    std::map<std::string, int> mark; // 0 new, 1 on the path, 2 done
    std::vector<std::string> path;
    std::string circle;
    std::function<void(const std::string&)> visit = [&](const std::string& folder) {
        mark[folder] = 1;
        path.push_back(folder);
        for (const std::string& next : uses[folder]) {
            if (!circle.empty()) break;
            if (mark[next] == 1) {
                for (auto it = std::find(path.begin(), path.end(), next); it != path.end(); ++it)
                    circle += *it + " -> ";
                circle += next;
            } else if (mark[next] == 0) {
                visit(next);
            }
        }
        path.pop_back();
        mark[folder] = 2;
    };
    for (const std::string& folder : kProgramFolders)
        if (mark[folder] == 0 && circle.empty()) visit(folder);
    EXPECT_EQ(circle, "") << "folders include each other in a circle";
}

} // namespace
