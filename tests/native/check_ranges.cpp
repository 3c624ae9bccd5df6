// The checks' table of ranges: every figure has a source and a row for every family, its
// limits are in order, every check names the least data it needs, and a band judges a value
// by its limits.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "checks/CheckInfo.h"
#include "checks/CheckRanges.h"

using namespace checks;

TEST(CheckRanges, EveryFigureIsSourcedOrderedAndFoundForEveryFamily) {
    int count = 0;
    const RangeRow* rows = CheckRangeRows(count);
    ASSERT_GT(count, 40);
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < count; ++i) {
        const RangeRow& r = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i << " (range " << int(r.id) << ")");
        EXPECT_GT(std::string(r.source).size(), 10u);
        EXPECT_TRUE(seen.insert({int(r.id), r.family}).second) << "a second row for the family";
        EXPECT_TRUE(r.family >= 0 && r.family <= 4);
        switch (r.kind) {
        case Kind::Band:
            EXPECT_LE(r.faultLo, r.okLo);
            EXPECT_LE(r.okLo, r.okHi);
            EXPECT_LE(r.okHi, r.faultHi);
            break;
        case Kind::Window:
            EXPECT_LE(r.okLo, r.okHi);
            break;
        case Kind::Minimum:
            EXPECT_GT(r.okLo, 0);
            break;
        default:
            break;
        }
    }
    for (int id = 0; id <= int(Range::ActuatorMinimumSeconds); ++id)
        for (int family = 1; family <= 4; ++family)
            EXPECT_NE(std::string(CheckRange(Range(id), family).source), "-")
                << "range " << id << " has no row for family " << family;
    EXPECT_EQ(CheckRange(Range::MapVsBaroKpa, 4).kind, Kind::NotApplicable);
    EXPECT_EQ(CheckRange(Range::MapVsBaroKpa, 2).kind, Kind::Band);

    for (int c = 0; c < kCheckCount; ++c) {
        const CheckInfo* info = InfoOf(Check(c));
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(int(info->check), c);
        EXPECT_EQ(CheckRange(info->minimumData, 1).kind, Kind::Minimum) << info->id;
        EXPECT_GT(std::string(info->noData).size(), 20u) << info->id;
    }

    // Values on either side of the limits, as the checks will judge them.
    const struct {
        Range range;
        double value;
        Verdict verdict;
    } kJudged[] = {
        {Range::ChargingVolts,     14.1,               Verdict::Ok       },
        {Range::ChargingVolts,     13.2,               Verdict::Attention},
        {Range::ChargingVolts,     12.3,               Verdict::Fault    },
        {Range::ChargingVolts,     16.2,               Verdict::Fault    },
        {Range::O2CrossingsSteady, 30,                 Verdict::Ok       },
        {Range::O2CrossingsSteady, 4,                  Verdict::Attention},
        {Range::O2CrossingsSteady, 2,                  Verdict::Fault    },
        {Range::O2HighestMv,       111,                Verdict::Fault    },
        {Range::O2LowestMv,        842,                Verdict::Fault    },
        {Range::TrimLearnPct,      (164 - 128) / 1.28, Verdict::Fault    },
        {Range::TrimLearnPct,      (140 - 128) / 1.28, Verdict::Ok       },
        {Range::ThrottleDropouts,  1,                  Verdict::Attention},
        {Range::ChargingVolts,     std::nan(""),       Verdict::NoData   },
        {Range::WarmEngineC,       90,                 Verdict::NoData   }, // a window judges nothing
    };
    for (const auto& j : kJudged)
        EXPECT_EQ(Judge(CheckRange(j.range, 1), j.value), j.verdict)
            << "range " << int(j.range) << " value " << j.value;
    EXPECT_STREQ(VerdictId(Verdict::NoData), "nodata");
    EXPECT_STREQ(VerdictText(Verdict::Fault), "неисправность");
}
