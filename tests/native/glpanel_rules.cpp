// The panel's portable rules: pixel-format flags and descriptor, palette, print
// placement, BMP loading, extension names, the glyph-range rule and text sizes,
// and the Windows-1251 conversion.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "glpanel/BmpLoader.h"
#include "glpanel/BmpTexture.h"
#include "glpanel/BmpWriter.h"
#include "glpanel/Cp1251.h"
#include "glpanel/ExtensionMatch.h"
#include "glpanel/PaletteBuilder.h"
#include "glpanel/PixelFormatRules.h"
#include "glpanel/PrintPlacement.h"
#include "glpanel/TextRange.h"

namespace {

const TPFDFlags kDefault{f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL, f_PFD_DOUBLEBUFFER};

TEST(PixelFormatFlags, AssigningNeitherRestoresWhicheverWasSetBefore) {
    const TPFDFlags neither{f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL};
    EXPECT_EQ(ApplyPFDFlagRule(neither, kDefault), neither.with(f_PFD_SUPPORT_GDI))
        << "old without GDI: GDI is added";
    const TPFDFlags gdiBefore{f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_GDI};
    EXPECT_EQ(ApplyPFDFlagRule(neither, gdiBefore), neither.with(f_PFD_DOUBLEBUFFER));
}

TEST(PixelFormatFlags, AssigningBothKeepsTheOneJustAdded) {
    const TPFDFlags both{f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_GDI, f_PFD_DOUBLEBUFFER};
    // Double buffer was set: GDI is the new one and wins.
    EXPECT_EQ(ApplyPFDFlagRule(both, kDefault), both.without(f_PFD_DOUBLEBUFFER));
    const TPFDFlags gdiBefore{f_PFD_SUPPORT_GDI};
    EXPECT_EQ(ApplyPFDFlagRule(both, gdiBefore), both.without(f_PFD_SUPPORT_GDI));
    // Exactly one of them: stored as given.
    EXPECT_EQ(ApplyPFDFlagRule(kDefault, gdiBefore), kDefault);
}

TEST(PixelFormatDescriptor, FlagsMapToTheirBits) {
    const PixelFormatDescription d = BuildPixelFormatDescription(kDefault, 0, 32, 32);
    EXPECT_EQ(d.nSize, 40);
    EXPECT_EQ(d.nVersion, 1);
    EXPECT_EQ(d.dwFlags, 0x4u | 0x20u | 0x1u);
    EXPECT_EQ(d.iPixelType, 0);
    EXPECT_EQ(d.cColorBits, 32);
    EXPECT_EQ(d.cDepthBits, 32);
    EXPECT_EQ(d.cAlphaBits + d.cAccumBits + d.cStencilBits + d.cAuxBuffers + d.iLayerType, 0);

    const TPFDFlags all = TPFDFlags::fromBits(0x7FF).without(f_PFD_DOUBLEBUFFER);
    EXPECT_EQ(PixelFormatDwFlags(all),
              0x4u | 0x8u | 0x10u | 0x20u | 0x1000u | 0x40u | 0x80u | 0x100u | 0x2u | 0x800u);
    // Double buffer has no bit of its own: it follows the absence of GDI.
    EXPECT_EQ(PixelFormatDwFlags({f_PFD_DOUBLEBUFFER}) & 0x1u, 0x1u);
    EXPECT_EQ(PixelFormatDwFlags({f_PFD_SUPPORT_GDI, f_PFD_DOUBLEBUFFER}) & 0x1u, 0u);
    EXPECT_EQ(PixelFormatDwFlags({}), 0x1u);

    const PixelFormatDescription dib = ForBitmapRendering(d, 32);
    EXPECT_EQ(dib.dwFlags, 0x8u | 0x10u | 0x20u);
}

TEST(Palette, EightBitFormatSpreadsThreeThreeTwo) {
    PixelFormatDescription f{};
    f.cColorBits = 8;
    f.cRedBits = 3, f.cRedShift = 0;
    f.cGreenBits = 3, f.cGreenShift = 3;
    f.cBlueBits = 2, f.cBlueShift = 6;
    const std::vector<PaletteColour> p = BuildPaletteColours(f);
    ASSERT_EQ(p.size(), 256u);
    for (unsigned i = 0; i < 256; ++i) {
        EXPECT_EQ(p[i].red, (i & 7) * 255 / 7) << i;
        EXPECT_EQ(p[i].green, ((i >> 3) & 7) * 255 / 7) << i;
        EXPECT_EQ(p[i].blue, ((i >> 6) & 3) * 255 / 3) << i;
    }
    EXPECT_EQ(p[0xFF].red, 255);
    EXPECT_EQ(p[0x49].green, 36); // (0x49 >> 3) & 7 = 1
}

TEST(Palette, ChannelWithoutBitsGivesZeroInsteadOfDividing) {
    PixelFormatDescription f{};
    f.cColorBits = 4; // a colour-index format: no channel bits at all
    const std::vector<PaletteColour> p = BuildPaletteColours(f);
    ASSERT_EQ(p.size(), 16u);
    for (const PaletteColour& c : p)
        EXPECT_EQ(c.red + c.green + c.blue, 0);
    f.cColorBits = 32; // no palette of 2^32 entries
    EXPECT_TRUE(BuildPaletteColours(f).empty());
}

TEST(PrintPlacement, EachModeStartsAtTheMarginsWithItsSize) {
    const PrintPageMetrics a4{600, 600, 4960, 7016};
    int ppi = 96;
    PrintPlacement p = PlacePrint(pglNone, 432, 105, ppi, a4);
    EXPECT_EQ(p.left, 108); // 600 * 0.18
    EXPECT_EQ(p.top, 108);
    EXPECT_EQ(p.width, 432);
    EXPECT_EQ(p.height, 105);

    p = PlacePrint(pglProportional, 432, 105, ppi, a4);
    EXPECT_EQ(p.width, 2700); // 4.5 inch at 600 dpi
    EXPECT_EQ(p.height, 656); // trunc(105 / 96 * 600)

    int zero = 0;
    p = PlacePrint(pglProportional, 432, 105, zero, a4);
    EXPECT_EQ(zero, 96);
    EXPECT_EQ(p.width, 2700);

    p = PlacePrint(pglPrintToFit, 432, 105, ppi, a4);
    EXPECT_EQ(p.left, 108);
    EXPECT_EQ(p.width, 4960 - 216);
    EXPECT_NEAR(double(p.width) / p.height, 432.0 / 105.0, 0.01);
    EXPECT_LE(p.top + p.height, 7016 - 108);
}

TEST(PrintPlacement, FitKeepsProportionsForPicturesLargerThanThePage) {
    const PrintPageMetrics small{100, 100, 400, 300};
    int ppi = 96;
    const PrintPlacement p = PlacePrint(pglPrintToFit, 2000, 500, ppi, small);
    EXPECT_EQ(p.left, 18);
    EXPECT_EQ(p.width, 400 - 36);
    EXPECT_EQ(p.height, 91); // 364 / 4
    const PrintPlacement tall = PlacePrint(pglPrintToFit, 100, 1000, ppi, small);
    EXPECT_EQ(tall.height, 300 - 36);
    EXPECT_EQ(tall.width, 26);
    EXPECT_GT(PlacePrint(pglPrintToFit, 5000, 1, ppi, small).height, 0);
}

// A 24-bit BMP with a distinct colour per pixel: (x, y from top) -> r = x, g = y, b = 7.
std::vector<uint8_t> MakeBmp24(int w, int h, bool topDown) {
    std::vector<uint32_t> px(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px[size_t(y) * w + x] = (x << 16) | (y << 8) | 7;
    std::vector<uint8_t> f = EncodeBmp24(w, h, px);
    if (topDown) { // flip the rows and negate the height
        const size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
        std::vector<uint8_t> rows(f.begin() + 54, f.end());
        for (int y = 0; y < h; ++y)
            std::copy(rows.begin() + (h - 1 - y) * stride, rows.begin() + (h - y) * stride,
                      f.begin() + 54 + y * stride);
        const int32_t neg = -h;
        std::memcpy(&f[22], &neg, 4);
    }
    return f;
}

std::string WriteTemp(const std::vector<uint8_t>& bytes, const char* name) {
    const std::string path = std::string(MOTOSKOP_BINARY_DIR) + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

TEST(BmpTexture, OddWidthsReadPastRowPaddingBottomRowFirst) {
    for (int w : {1, 3, 5, 7}) {
        for (bool topDown : {false, true}) {
            const std::string path = WriteTemp(MakeBmp24(w, 3, topDown), "glpanel_odd.bmp");
            std::unique_ptr<BMPTexture> t(LoadBMPTexture(path, false));
            ASSERT_NE(t, nullptr) << w;
            EXPECT_EQ(t->width, w);
            EXPECT_EQ(t->height, 3);
            EXPECT_EQ(t->components, 3);
            EXPECT_EQ(t->format, 0x1907);
            EXPECT_EQ(t->type, 0x1401);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < w; ++x) {
                    const uint8_t* p = &t->data[(y * w + x) * 3];
                    EXPECT_EQ(p[0], x);
                    EXPECT_EQ(p[1], 2 - y) << "row 0 is the bottom row";
                    EXPECT_EQ(p[2], 7);
                }
            std::remove(path.c_str());
        }
    }
}

TEST(BmpTexture, AlphaAddsAnOpaqueFourthByte) {
    const std::string path = WriteTemp(MakeBmp24(3, 2, false), "glpanel_alpha.bmp");
    std::unique_ptr<BMPTexture> t(LoadBMPTexture(path, true));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->components, 4);
    EXPECT_EQ(t->format, 0x1908);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(t->data[i * 4 + 3], 255);
    EXPECT_EQ(t->data[4 * 4 + 0], 1); // row 0 = bottom (y 1), column 1
    std::remove(path.c_str());
}

TEST(BmpTexture, MissingTruncatedOrForeignFilesGiveNothing) {
    EXPECT_EQ(LoadBMPTexture("/nonexistent/dir/none.bmp", false), nullptr);
    std::vector<uint8_t> f = MakeBmp24(5, 4, false);
    f.resize(f.size() - 3);
    const std::string path = WriteTemp(f, "glpanel_short.bmp");
    EXPECT_EQ(LoadBMPTexture(path, false), nullptr);
    const std::string junk = WriteTemp({'G', 'I', 'F', '8', '9', 'a'}, "glpanel_junk.bmp");
    EXPECT_EQ(LoadBMPTexture(junk, false), nullptr);
    std::remove(path.c_str());
    std::remove(junk.c_str());
}

TEST(BmpDecode, PalettedAndSixteenBitFiles) {
    // 4 x 2, 8 bits per pixel, two palette entries.
    std::vector<uint8_t> f(54 + 8 + 8, 0);
    f[0] = 'B', f[1] = 'M';
    f[10] = 62;
    f[14] = 40;
    f[18] = 4, f[22] = 2, f[26] = 1, f[28] = 8;
    f[46] = 2;
    f[54] = 0x30, f[55] = 0x20, f[56] = 0x10; // entry 0: r 0x10 g 0x20 b 0x30
    f[58] = 0xFF, f[59] = 0x00, f[60] = 0x80; // entry 1: r 0x80 g 0 b 0xFF
    f[62 + 1] = 1;                            // bottom row, x 1
    BmpImage img;
    ASSERT_TRUE(DecodeBmp(f, img));
    EXPECT_EQ(img.pixel(1, 1)[0], 0x80);
    EXPECT_EQ(img.pixel(0, 1)[1], 0x20);
    EXPECT_EQ(img.pixel(1, 0)[2], 0x30);
}

TEST(ExtensionNames, OnlyWholeNamesMatch) {
    const char* list = "GL_ARB_multitexture GL_EXT_texture GL_EXT_texture_env_add GL_NV_fog";
    EXPECT_TRUE(ExtensionListHas(list, "GL_EXT_texture"));
    EXPECT_TRUE(ExtensionListHas(list, "GL_NV_fog"));
    EXPECT_TRUE(ExtensionListHas(list, "GL_ARB_multitexture"));
    EXPECT_FALSE(ExtensionListHas(list, "GL_EXT_tex"));
    EXPECT_FALSE(ExtensionListHas(list, "GL_EXT_texture_env"));
    EXPECT_FALSE(ExtensionListHas(list, "GL_NV_fog_distance"));
    EXPECT_FALSE(ExtensionListHas(list, ""));
    EXPECT_FALSE(ExtensionListHas(nullptr, "GL_NV_fog"));
}

TEST(GlyphRange, OneCharacterOutsideTheRangeRejectsTheWholeText) {
    EXPECT_TRUE(TextInGlyphRange("abc", 32, 96));
    EXPECT_FALSE(TextInGlyphRange("", 32, 96));
    EXPECT_TRUE(TextInGlyphRange(std::string(1, char(127)), 32, 96));
    EXPECT_FALSE(TextInGlyphRange(std::string("ab") + char(128), 32, 96));
    EXPECT_FALSE(TextInGlyphRange(std::string("a\x1f"), 32, 96));
    // The charts' fonts: first 0, count 255 -> code 255 (я) is outside.
    EXPECT_TRUE(TextInGlyphRange(Utf8ToCp1251("Да °C"), 0, 255));
    EXPECT_FALSE(TextInGlyphRange(Utf8ToCp1251("Заря"), 0, 255));
}

TEST(GlyphRange, TextSizeAddsIncrementsAndTheLastBlackBox) {
    GlyphMetrics glyphs[3] = {
        {1.0f, 2.0f, 0, 0, 1.5f, 0.25f}, // 'A'
        {3.0f, 4.0f, 0, 0, 3.5f, 0.5f }, // 'B'
        {5.0f, 6.0f, 0, 0, 5.5f, 0.75f}, // 'C'
    };
    const OpenGLFont3D font{'A', 3, 1, 0.1f, glyphs};
    double size[3] = {-1, -1, -1};
    Measure3DText(&font, "", size);
    EXPECT_EQ(size[0], -1) << "empty text leaves the result";
    Measure3DText(nullptr, "A", size);
    EXPECT_EQ(size[0], -1);
    Measure3DText(&font, "B", size);
    EXPECT_DOUBLE_EQ(size[0], 3.0);
    EXPECT_DOUBLE_EQ(size[1], 4.0);
    EXPECT_FLOAT_EQ(float(size[2]), 0.1f);
    Measure3DText(&font, "ACB", size);
    EXPECT_DOUBLE_EQ(size[0], 1.5 + 5.5 + 3.0);
    EXPECT_DOUBLE_EQ(size[1], 0.25 + 0.75 + 4.0);
    Measure3DText(&font, "AD", size);
    EXPECT_EQ(size[0], 0);
    EXPECT_EQ(size[1], 0);
    EXPECT_EQ(size[2], 0);
}

TEST(Cp1251, RussianTextsBecomeSingleBytes) {
    EXPECT_EQ(Utf8ToCp1251("Да"), "\xC4\xE0");
    EXPECT_EQ(Utf8ToCp1251(" об/мин"), " \xEE\xE1/\xEC\xE8\xED");
    EXPECT_EQ(Utf8ToCp1251(" °C"), " \xB0"
                                   "C");
    EXPECT_EQ(Utf8ToCp1251("ЁёЎў№"), "\xA8\xB8\xA1\xA2\xB9");
    EXPECT_EQ(Utf8ToCp1251("€"), "\x88");
    EXPECT_EQ(Utf8ToCp1251("中"), "?");
    EXPECT_EQ(Utf8ToCp1251("a\xD0"), "a?") << "truncated sequence";
    EXPECT_EQ(Utf8ToCp1251("\x80z"), "?z");
    for (int c = 0; c < 256; ++c) {
        if (c == 0x98) continue;
        const char16_t u = Cp1251ToUnicode(uint8_t(c));
        std::string utf8;
        if (u < 0x80) {
            utf8 = char(u);
        } else if (u < 0x800) {
            utf8 = {char(0xC0 | (u >> 6)), char(0x80 | (u & 0x3F))};
        } else {
            utf8 = {char(0xE0 | (u >> 12)), char(0x80 | ((u >> 6) & 0x3F)),
                    char(0x80 | (u & 0x3F))};
        }
        EXPECT_EQ(Utf8ToCp1251(utf8), std::string(1, char(c))) << c;
    }
}

} // namespace
