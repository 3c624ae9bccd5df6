#include <cstdio>
#include <filesystem>
#include <system_error>

#include "record/RecordingFolder.h"

std::vector<std::string> HostRecordingFolder::recordings(const std::string& folder) {
    std::vector<std::string> paths;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error))
        if (it->path().extension() == ".mrec" && it->is_regular_file(error))
            paths.push_back(it->path().string());
    return paths;
}

bool HostRecordingFolder::readPart(const std::string& path, uint64_t offset, std::size_t size,
                                   std::vector<uint8_t>& out, uint64_t& fileSize) {
    out.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long end = ok ? std::ftell(file) : -1;
    ok = ok && end >= 0 && std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0;
    if (ok) {
        fileSize = static_cast<uint64_t>(end);
        out.resize(size);
        out.resize(std::fread(out.data(), 1, size, file));
        ok = std::ferror(file) == 0;
    }
    std::fclose(file);
    return ok;
}
