// The fuel-trim map against a hand-built recording whose cells are known: only
// good polls in closed loop with the coolant at 20 °C or above count (19 °C does
// not, 20 °C as the decoder prints it does), per cell the mean LEARN and INT and
// the polls, dimmed below 40 polls; the cell's polls lit on the timeline; two
// drives' maps cell by cell.
#include <gtest/gtest.h>

#include "analysis_fixture.h"
#include "analysis/DriveComparison.h"
#include "analysis/FuelTrimMap.h"
#include "analysis/LaneEnvelope.h"
#include "analysis/TimeAxis.h"

namespace {

using namespace analysis_test;

// Coolant bytes: b × 0.749019 − 40 printed without decimals.
constexpr int kCoolant80C = 160; // "80"
constexpr int kCoolant20C = 80;  // 19.92: "20"
constexpr int kCoolant19C = 79;  // 19.17: "19"

struct PollRow {
    int cell, learn, integrator, coolant;
    bool closedLoop;
    int count; // this many polls in a row, one every 120 ms
};

struct CellRow {
    int cell;
    uint32_t polls;
    double learn, integrator;
    bool dim;
};

// The polls, with a failed poll after each row; returns the good polls that qualify, by cell.
std::map<int, std::vector<uint32_t>> Build(RecordingBytes& rec, int family,
                                           const std::vector<PollRow>& rows, int learnShift = 0) {
    std::map<int, std::vector<uint32_t>> qualifying;
    uint32_t t = 0, poll = 0;
    const char* loop = family == 4 ? "LOOP" : "JOOP";
    for (const PollRow& row : rows) {
        for (int i = 0; i < row.count; ++i, t += 120, ++poll) {
            Reply reply = BlankReply();
            SetChannel(reply, family, "BLMCELL", row.cell);
            SetChannel(reply, family, "LEARN", row.learn + learnShift + (i % 2 ? 1 : -1));
            SetChannel(reply, family, "INT", row.integrator + (i % 2 ? -2 : 2));
            SetChannel(reply, family, "TWAT", row.coolant);
            SetChannel(reply, family, loop, row.closedLoop);
            SetChannel(reply, family, "RICH", 1); // a neighbour bit of the loop flag's byte
            rec.poll(t, reply);
            if (row.closedLoop && row.coolant >= kCoolant20C) qualifying[row.cell].push_back(poll);
        }
        rec.failedPoll(t);
        t += 120, ++poll;
    }
    return qualifying;
}

TEST(AnalysisFuelTrim, CellsCountOnlyWarmClosedLoopPollsAndDimBelowTheThreshold) {
    // Even counts: the ±1 and ±2 wobble of LEARN and INT averages out.
    const std::vector<PollRow> polls = {
        {16, 131, 127, kCoolant80C, true,  44},
        {6,  120, 130, kCoolant80C, true,  36}, // 36 + 2 below: dim
        {6,  120, 130, kCoolant80C, true,  2 },
        {7,  140, 125, kCoolant80C, true,  40}, // exactly the threshold: not dim
        {9,  150, 128, kCoolant80C, false, 60}, // open loop: not counted
        {10, 110, 128, kCoolant19C, true,  60}, // 19 °C: not counted
        {10, 111, 128, kCoolant20C, true,  2 }, // 20 °C: counted
        {16, 131, 127, kCoolant80C, true,  2 },
    };
    const std::vector<CellRow> expected = {
        {6,  38, 120, 130, true },
        {7,  40, 140, 125, false},
        {10, 2,  111, 128, true },
        {16, 46, 131, 127, false},
    };
    for (int family : {1, 2, 3, 4}) {
        RecordingBytes rec(family);
        const auto qualifying = Build(rec, family, polls);
        const analysis::LoadResult loaded = Load(rec.bytes());
        ASSERT_EQ(loaded.status, analysis::LoadStatus::Ready) << loaded.message;
        const analysis::AnalysedRecording& r = *loaded.recording;
        const analysis::FuelTrimMap map = analysis::BuildFuelTrimMap(r, analysis::WholeSpan(r));
        ASSERT_TRUE(map.available) << "family " << family;
        EXPECT_EQ(map.goodPolls, 44u + 36 + 2 + 40 + 60 + 60 + 2 + 2) << "family " << family;
        EXPECT_EQ(map.qualifyingPolls, 46u + 38 + 40 + 2) << "family " << family;
        ASSERT_EQ(map.cells.size(), expected.size()) << "family " << family;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const analysis::FuelTrimCell& got = map.cells[i];
            const CellRow& want = expected[i];
            const std::string at =
                "family " + std::to_string(family) + " cell " + std::to_string(want.cell);
            EXPECT_EQ(got.cell, want.cell) << at;
            EXPECT_EQ(got.polls, want.polls) << at;
            EXPECT_DOUBLE_EQ(got.meanLearn, want.learn) << at;
            EXPECT_DOUBLE_EQ(got.meanIntegrator, want.integrator) << at;
            EXPECT_EQ(got.dim, want.dim) << at;
            EXPECT_EQ(got.pollList, qualifying.at(want.cell)) << at;
        }
        // A click on cell 16 lights exactly the columns its polls fall in.
        const analysis::TimeView view = analysis::WholeRecording(r, 97);
        const analysis::FuelTrimCell* cell = map.find(16);
        ASSERT_NE(cell, nullptr);
        std::vector<uint8_t> lit(view.columns, 0);
        for (uint32_t p : cell->pollList)
            for (int c = 0; c < view.columns; ++c)
                if (r.time(p) >= view.timeOf(c) &&
                    (c == view.columns - 1 ? r.time(p) <= view.endMs
                                           : r.time(p) < view.timeOf(c + 1)))
                    lit[c] = 1;
        EXPECT_EQ(analysis::HighlightColumns(r, cell->pollList, view), lit) << "family " << family;
    }
}

TEST(AnalysisFuelTrim, TwoDrivesCellByCell) {
    RecordingBytes before(4), after(4);
    Build(before, 4,
          {
              {16, 131, 127, kCoolant80C, true, 50},
              {6,  120, 130, kCoolant80C, true, 50}
    });
    Build(after, 4,
          {
              {16, 131, 127, kCoolant80C, true, 50},
              {8,  128, 128, kCoolant80C, true, 10}
    },
          /*learnShift=*/4);
    const analysis::LoadResult a = Load(before.bytes()), b = Load(after.bytes());
    ASSERT_EQ(a.status, analysis::LoadStatus::Ready);
    ASSERT_EQ(b.status, analysis::LoadStatus::Ready);
    const auto rows = analysis::CompareFuelTrim(
        analysis::BuildFuelTrimMap(*a.recording, analysis::WholeSpan(*a.recording)),
        analysis::BuildFuelTrimMap(*b.recording, analysis::WholeSpan(*b.recording)));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].cell, 6);
    EXPECT_TRUE(rows[0].inFirst && !rows[0].inSecond && rows[0].dim);
    EXPECT_EQ(rows[1].cell, 8);
    EXPECT_TRUE(!rows[1].inFirst && rows[1].inSecond && rows[1].dim);
    EXPECT_DOUBLE_EQ(rows[1].secondLearn, 132);
    EXPECT_EQ(rows[2].cell, 16);
    EXPECT_FALSE(rows[2].dim);
    EXPECT_DOUBLE_EQ(rows[2].learnDiff, 4);
    EXPECT_DOUBLE_EQ(rows[2].integratorDiff, 0);
}

TEST(AnalysisFuelTrim, ColourRunsFromTakingFuelAwayToAddingIt) {
    struct Row {
        double learn, shade;
    };
    const Row rows[] = {
        {128, 0   },
        {140, 0.5 },
        {152, 1   },
        {200, 1   },
        {116, -0.5},
        {90,  -1  }
    };
    for (const Row& row : rows)
        EXPECT_DOUBLE_EQ(analysis::FuelTrimShade(row.learn), row.shade) << row.learn;
    const analysis::Rgb adding = analysis::FuelTrimColour(1, false);
    const analysis::Rgb removing = analysis::FuelTrimColour(-1, false);
    const analysis::Rgb neutral = analysis::FuelTrimColour(0, false);
    EXPECT_GT(adding.r, adding.b);
    EXPECT_GT(removing.b, removing.r);
    EXPECT_EQ(neutral.r, neutral.b);
    const analysis::Rgb dim = analysis::FuelTrimColour(1, true);
    EXPECT_LT(std::abs(dim.r - dim.b), std::abs(adding.r - adding.b)); // halfway to grey
}

} // namespace
