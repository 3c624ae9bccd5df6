#include "tools/ecusim/ControlFile.h"

#include <cstdio>

namespace ecusim {

bool ControlFile::open(const std::string& path) {
    path_ = path;
    offset_ = 0;
    partial_.clear();
    FILE* f = std::fopen(path.c_str(), "w");
    if (f == nullptr) return false;
    std::fclose(f);
    return true;
}

std::vector<std::string> ControlFile::newLines() {
    std::vector<std::string> lines;
    if (path_.empty()) return lines;
    FILE* f = std::fopen(path_.c_str(), "rb");
    if (f == nullptr) return lines;
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    if (size < offset_) { // emptied by someone: start again from the top
        offset_ = 0;
        partial_.clear();
    }
    std::fseek(f, offset_, SEEK_SET);
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0) {
        offset_ += static_cast<long>(n);
        for (size_t i = 0; i < n; ++i) {
            const char c = buffer[i];
            if (c == '\n') {
                if (!partial_.empty() && partial_.back() == '\r')
                    partial_.pop_back(); // written by a Windows program
                lines.push_back(partial_);
                partial_.clear();
            } else {
                partial_ += c;
            }
        }
    }
    std::fclose(f);
    return lines;
}

} // namespace ecusim
