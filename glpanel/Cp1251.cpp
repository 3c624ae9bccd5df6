#include "glpanel/Cp1251.h"

namespace {
// Bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
const char16_t kHighHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

int ByteFor(char32_t u) {
    if (u < 0x80) return int(u);
    if (u >= 0x0410 && u <= 0x044F) return int(u - 0x0410 + 0xC0);
    for (int k = 0; k < 64; ++k)
        if (kHighHalf[k] == u && u != 0x0098) return 0x80 + k;
    return -1;
}
} // namespace

char16_t Cp1251ToUnicode(uint8_t c) {
    if (c < 0x80) return c;
    if (c >= 0xC0) return char16_t(0x0410 + (c - 0xC0));
    return kHighHalf[c - 0x80];
}

std::string Utf8ToCp1251(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char lead = utf8[i];
        int extra = 0;
        char32_t u = 0;
        if (lead < 0x80) {
            u = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            u = lead & 0x1F;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            u = lead & 0x0F;
            extra = 2;
        } else if ((lead & 0xF8) == 0xF0) {
            u = lead & 0x07;
            extra = 3;
        } else {
            out += '?'; // stray continuation or invalid lead byte
            ++i;
            continue;
        }
        size_t k = 1;
        for (; k <= size_t(extra) && i + k < utf8.size(); ++k) {
            const unsigned char cont = utf8[i + k];
            if ((cont & 0xC0) != 0x80) break;
            u = (u << 6) | (cont & 0x3F);
        }
        if (k != size_t(extra) + 1) {
            out += '?'; // truncated sequence
            i += k;
            continue;
        }
        i += k;
        const int b = ByteFor(u);
        out += b < 0 ? '?' : char(b);
    }
    return out;
}
