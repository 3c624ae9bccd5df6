#include "glpanel/ExtensionMatch.h"

#include <cstring>

bool ExtensionListHas(const char* extensions, const char* name) {
    if (!extensions || !name) return false;
    const size_t length = std::strlen(name);
    if (length == 0) return false;
    const char* p = extensions;
    while (*p) {
        const char* end = std::strchr(p, ' ');
        const size_t n = end ? size_t(end - p) : std::strlen(p);
        if (n == length && std::strncmp(p, name, n) == 0) return true;
        if (!end) break;
        p = end + 1;
    }
    return false;
}
