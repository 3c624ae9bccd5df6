#include "tools/artgen/TextMask.h"

#include <cstdio>
#include <map>
#include <stdexcept>

namespace {

std::string ShellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

} // namespace

Mask RenderText(const std::string& utf8, const std::string& font, double pixels) {
    static std::map<std::string, Mask> cache;
    const std::string key = font + "|" + std::to_string(pixels) + "|" + utf8;
    auto found = cache.find(key);
    if (found != cache.end()) return found->second;

    char size[32];
    std::snprintf(size, sizeof size, "%.2f", pixels);
    const std::string command = "convert -density 72 -background black -fill white -font " +
                                ShellQuote(font) + " -pointsize " + size +
                                " label:" + ShellQuote(utf8) + " -depth 8 pgm:-";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run convert");
    Mask mask;
    int maxValue = 0;
    if (std::fscanf(pipe, "P5 %d %d %d", &mask.width, &mask.height, &maxValue) != 3 ||
        maxValue != 255 || mask.width <= 0 || mask.height <= 0) {
        pclose(pipe);
        throw std::runtime_error("convert gave no picture for: " + utf8);
    }
    std::fgetc(pipe); // the single whitespace after the header
    mask.alpha.resize(static_cast<size_t>(mask.width) * mask.height);
    const size_t got = std::fread(mask.alpha.data(), 1, mask.alpha.size(), pipe);
    pclose(pipe);
    if (got != mask.alpha.size()) throw std::runtime_error("short picture from convert");
    cache.emplace(key, mask);
    return mask;
}

void InkBounds(const Mask& mask, int& left, int& top, int& right, int& bottom) {
    left = mask.width;
    top = mask.height;
    right = -1;
    bottom = -1;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            if (mask.alpha[static_cast<size_t>(y) * mask.width + x] > 40) {
                if (x < left) left = x;
                if (x > right) right = x;
                if (y < top) top = y;
                if (y > bottom) bottom = y;
            }
    if (right < 0) left = top = right = bottom = 0;
}
