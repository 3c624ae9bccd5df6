#include "glpanel/BmpLoader.h"

#include <cstdio>

namespace {
uint32_t U16(const uint8_t* p) {
    return p[0] | (p[1] << 8);
}
uint32_t U32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr int64_t kMaxPixels = 64 * 1024 * 1024;

// One channel of a bit-field pixel scaled to 0..255.
uint8_t Field(uint32_t value, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const uint32_t max = mask >> shift;
    return uint8_t(uint64_t((value & mask) >> shift) * 255u / max);
}
} // namespace

bool DecodeBmp(const std::vector<uint8_t>& f, BmpImage& out) {
    if (f.size() < 26 || f[0] != 'B' || f[1] != 'M') return false;
    const uint32_t dataOffset = U32(&f[10]);
    const uint32_t headerSize = U32(&f[14]);
    int64_t width, height;
    uint32_t bitCount, compression = kBiRgb, paletteUsed = 0;
    size_t paletteEntrySize = 4;
    if (headerSize == 12) { // OS/2 core header
        width = int16_t(U16(&f[18]));
        height = int16_t(U16(&f[20]));
        bitCount = U16(&f[24]);
        paletteEntrySize = 3;
    } else if (headerSize >= 40 && f.size() >= 14 + size_t(40)) {
        width = int32_t(U32(&f[18]));
        height = int32_t(U32(&f[22]));
        bitCount = U16(&f[28]);
        compression = U32(&f[30]);
        paletteUsed = U32(&f[46]);
    } else {
        return false;
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width * height > kMaxPixels) return false;

    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bitCount == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    if (compression == kBiBitfields && (bitCount == 16 || bitCount == 32)) {
        const size_t at = 14 + 40;
        if (headerSize == 40 && f.size() < at + 12) return false;
        for (int k = 0; k < 3; ++k)
            masks[k] = U32(&f[at + 4 * k]);
    } else if (compression != kBiRgb) {
        return false;
    }

    std::vector<uint8_t> palette; // rgb triples
    if (bitCount <= 8) {
        if (bitCount != 1 && bitCount != 4 && bitCount != 8) return false;
        const uint32_t entries = paletteUsed ? paletteUsed : (1u << bitCount);
        if (entries > 256) return false;
        const size_t at = 14 + headerSize;
        if (f.size() < at + entries * paletteEntrySize) return false;
        palette.resize(256 * 3, 0);
        for (uint32_t k = 0; k < entries; ++k) {
            const uint8_t* e = &f[at + k * paletteEntrySize];
            palette[k * 3] = e[2];
            palette[k * 3 + 1] = e[1];
            palette[k * 3 + 2] = e[0];
        }
    } else if (bitCount != 16 && bitCount != 24 && bitCount != 32) {
        return false;
    }

    const size_t stride = ((size_t(width) * bitCount + 31) / 32) * 4;
    if (dataOffset > f.size() || (f.size() - dataOffset) / stride < size_t(height)) return false;

    out.width = int(width);
    out.height = int(height);
    out.rgb.assign(size_t(width) * height * 3, 0);
    for (int64_t y = 0; y < height; ++y) {
        const int64_t fileRow = topDown ? y : height - 1 - y;
        const uint8_t* row = &f[dataOffset + fileRow * stride];
        uint8_t* dst = &out.rgb[size_t(y) * width * 3];
        for (int64_t x = 0; x < width; ++x, dst += 3) {
            switch (bitCount) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / bitCount;
                const uint8_t byte = row[x / perByte];
                const int shift = 8 - bitCount * (int(x % perByte) + 1);
                const uint32_t index = (byte >> shift) & ((1u << bitCount) - 1);
                dst[0] = palette[index * 3];
                dst[1] = palette[index * 3 + 1];
                dst[2] = palette[index * 3 + 2];
                break;
            }
            case 16:
            case 32: {
                const uint32_t v = bitCount == 16 ? U16(&row[x * 2]) : U32(&row[x * 4]);
                dst[0] = Field(v, masks[0]);
                dst[1] = Field(v, masks[1]);
                dst[2] = Field(v, masks[2]);
                break;
            }
            case 24:
                dst[0] = row[x * 3 + 2];
                dst[1] = row[x * 3 + 1];
                dst[2] = row[x * 3];
                break;
            }
        }
    }
    return true;
}

bool LoadBmpFile(const std::string& path, BmpImage& out) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (bytes.size() > size_t(512) * 1024 * 1024) break;
    }
    std::fclose(file);
    return DecodeBmp(bytes, out);
}
