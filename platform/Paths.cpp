#include "platform/Paths.h"

namespace {

std::size_t LastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}

} // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    if (last == '\\' || last == '/') return folder + name;
    const bool slashes =
        folder.find('\\') == std::string::npos && folder.find('/') != std::string::npos;
    return folder + (slashes ? '/' : '\\') + name;
}

void SplitPath(const std::string& path, std::string& folder, std::string& name) {
    const std::size_t at = LastSeparator(path);
    if (at == std::string::npos) {
        folder.clear();
        name = path;
        return;
    }
    folder = path.substr(0, at);
    name = path.substr(at + 1);
    // "C:\x.mrec" and "/x.mrec": the root keeps its separator.
    if (folder.empty() || (folder.size() == 2 && folder[1] == ':')) folder = path.substr(0, at + 1);
}

std::string FileNameOf(const std::string& path) {
    const std::size_t at = LastSeparator(path);
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string FileStemOf(const std::string& path) {
    const std::string name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string WithExtension(const std::string& path, const std::string& extension) {
    const std::size_t slash = LastSeparator(path);
    const std::size_t dot = path.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? path.substr(0, dot) : path) + extension;
}
