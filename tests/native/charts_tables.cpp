// The charts' scale-label table and the received-data bars.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "state/ChannelStore.h"
#include "live/RawDataBars.h"
#include "live/ScaleLabels.h"

namespace {

std::string Top(int family, int index) {
    ScaleLabelPair p{};
    return FindScaleLabels(family, index, p) ? p.top : "<none>";
}
std::string Bottom(int family, int index) {
    ScaleLabelPair p{};
    return FindScaleLabels(family, index, p) ? p.bottom : "<none>";
}

TEST(ScaleLabels, EveryChannelOfFamiliesOneToFourHasExactlyOnePair) {
    for (int family = 1; family <= 4; ++family) {
        for (int index = 0; index < ChannelStore::channelCount(family); ++index)
            EXPECT_NE(Top(family, index), "<none>") << family << "/" << index;
        EXPECT_EQ(Top(family, ChannelStore::channelCount(family)), "<none>");
        EXPECT_EQ(Top(family, -1), "<none>");
    }
    for (int index = 0; index < 23; ++index)
        EXPECT_EQ(Top(5, index), "<none>");
}

TEST(ScaleLabels, LiteralTextsWithTheirMixedSeparators) {
    struct Case {
        int family, index;
        const char* top;
        const char* bottom;
    };
    const Case cases[] = {
        {1, 0,  "Да",     "Нет"  },
        {1, 2,  "25,0",     "0,0"     },
        {1, 11, "65.0",     "0.00"    },
        {1, 16, "105,0",    "0.0"     },
        {1, 26, "18:12:15", "00:00:00"},
        {1, 30, "90",       "-90"     },
        {1, 33, "0xFF",     "0x00"    },
        {2, 5,  "1594",     "0"       },
        {2, 29, "25,5",     "0,0"     },
        {2, 31, "90,0",     "-90,0"   },
        {3, 22, "Да",     "Нет"  },
        {3, 34, "0xFF",     "0x00"    },
        {3, 25, "100",      "0"       },
        {4, 6,  "105,0",    "0,00"    },
        {4, 22, "65,00",    "0,00"    },
        {4, 16, "6375",     "0"       },
        {4, 54, "Да",     "Нет"  },
        {4, 1,  "3150",     "0"       },
        {4, 50, "0xFF",     "0x00"    },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Top(c.family, c.index), c.top) << c.family << "/" << c.index;
        EXPECT_EQ(Bottom(c.family, c.index), c.bottom) << c.family << "/" << c.index;
    }
}

TEST(ScaleLabels, YesNoChannelsPerFamily) {
    // clang-format off
    const std::set<int> yesNo[5] = {
        {},
        {0, 1, 6, 7, 15, 19, 21, 24},
        {0, 1, 6, 7, 15, 19, 21, 25},
        {0, 1, 6, 7, 15, 18, 20, 22, 24},
        {0,  2,  3,  4,  7,  10, 11, 12, 13, 14, 18, 19, 20, 21,
         24, 25, 28, 30, 32, 34, 35, 36, 46, 51, 52, 53, 54},
    };
    // clang-format on
    for (int family = 1; family <= 4; ++family)
        for (int index = 0; index < ChannelStore::channelCount(family); ++index)
            EXPECT_EQ(Top(family, index) == "Да", yesNo[family].count(index) == 1)
                << family << "/" << index;
}

TEST(RawDataBars, PositionsInGroupsOfThree) {
    const int expected[] = {21, 25, 28, 31, 35, 38, 41, 45};
    for (int b = 0; b < 8; ++b)
        EXPECT_EQ(RawDataBarX(b), expected[b]) << b;
    EXPECT_EQ(RawDataBarX(49), 185);
    EXPECT_EQ(RawDataBarX(50), 188);
    EXPECT_EQ(RawDataBarX(51), 191);
    EXPECT_EQ(RawDataBarX(52), 195);
    EXPECT_EQ(RawDataBarX(53), 198);
    for (int b = 1; b < kRawDataBars; ++b)
        EXPECT_GT(RawDataBarX(b), RawDataBarX(b - 1));
}

TEST(RawDataBars, SourceBytesSkipSixtyToSixtySix) {
    EXPECT_EQ(RawDataBarSourceByte(0), 7);
    EXPECT_EQ(RawDataBarSourceByte(52), 59);
    EXPECT_EQ(RawDataBarSourceByte(53), 67);
}

TEST(RawDataBars, HeightIsByteTimesPoint196PlusOneTruncated) {
    EXPECT_EQ(RawDataBarHeight(0), 1);
    EXPECT_EQ(RawDataBarHeight(5), 1);
    EXPECT_EQ(RawDataBarHeight(6), 2);
    EXPECT_EQ(RawDataBarHeight(128), 26);
    EXPECT_EQ(RawDataBarHeight(200), 40);
    EXPECT_EQ(RawDataBarHeight(255), 50);
    for (int v = 1; v < 256; ++v)
        EXPECT_GE(RawDataBarHeight(uint8_t(v)), RawDataBarHeight(uint8_t(v - 1)));
}

} // namespace
