// What the analysis window remembers per ECU family, and how it prints a span's
// figures.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/MemoryRegistry.h"
#include "analysis/AnalysisChannels.h"
#include "analysis/AnalysisSettings.h"
#include "analysis/Lanes.h"
#include "analysis/StatsText.h"

using namespace analysis;

namespace {

const char* const kKey4 = "\\MOTOSKOP\\ANALYSIS\\FAMILY4";

TEST(AnalysisSettings, RememberedPerFamilyAndNonsenseLeavesTheDefault) {
    const int channels = static_cast<int>(FamilyChannels(4).size());
    const std::vector<int> defaults = DefaultLanes(4);
    ASSERT_EQ(defaults.size(), static_cast<std::size_t>(kLaneCount));

    MemoryRegistry registry;
    AnalysisSettings fresh = LoadAnalysisSettings(registry, 4, channels);
    EXPECT_EQ(fresh.lanes, defaults);
    EXPECT_EQ(fresh.width, kDefaultWindowWidth);

    AnalysisSettings mine = fresh;
    mine.width = 1200;
    mine.height = 650;
    mine.lanes[2] = FindChannel(4, "INT");
    ASSERT_TRUE(SaveAnalysisSettings(registry, 4, mine));
    const AnalysisSettings back = LoadAnalysisSettings(registry, 4, channels);
    EXPECT_EQ(back.width, 1200);
    EXPECT_EQ(back.height, 650);
    EXPECT_EQ(back.lanes, mine.lanes);
    // Another family keeps its own.
    EXPECT_EQ(LoadAnalysisSettings(registry, 1, channels).lanes, DefaultLanes(1));

    // Too small a window, a row the family does not have: the defaults.
    registry.putDword(kKey4, "Width", 200);
    registry.putDword(kKey4, "Height", 100000);
    registry.putDword(kKey4, "Lane1", static_cast<uint32_t>(channels));
    const AnalysisSettings odd = LoadAnalysisSettings(registry, 4, channels);
    EXPECT_EQ(odd.width, kDefaultWindowWidth);
    EXPECT_EQ(odd.height, kDefaultWindowHeight);
    EXPECT_EQ(odd.lanes[0], defaults[0]);
    EXPECT_EQ(odd.lanes[2], mine.lanes[2]);

    registry.setReadOnly(true);
    EXPECT_FALSE(SaveAnalysisSettings(registry, 2, mine));
}

TEST(StatsText, FiguresInTheUsersDecimalSymbol) {
    struct Case {
        double value;
        int decimals;
        char symbol;
        const char* text;
    };
    const Case cases[] = {
        {1512.44, 1, ',', "1512,4"},
        {-0.01,   1, ',', "0,0"   },
        {-2.5,    0, '.', "-2"    },
        {36.87,   2, '.', "36.87" },
        {NAN,     1, ',', "—"   },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FigureText(c.value, c.decimals, c.symbol), c.text) << c.value;
    EXPECT_EQ(DurationText(12500, ','), "12,5 с");
    EXPECT_EQ(DurationText(200000, ','), "3 мин 20 с");
    EXPECT_EQ(DurationText(3720000, ','), "1 ч 02 мин");
}

} // namespace
