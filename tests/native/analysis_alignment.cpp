// Two drives laid over each other: aligned at a marker of each (by number, or
// picked from each drive's list of moments), a spike 5 s after the marker falls
// in the same pixel column of both at every zoom; aligned at their starts; the
// span figures of both cover the same stretch after the markers; a drive of
// another family is refused with a message.
#include <gtest/gtest.h>

#include "analysis_fixture.h"
#include "analysis/DriveComparison.h"
#include "analysis/LaneEnvelope.h"

namespace {

using namespace analysis_test;

constexpr int kFamily = 4;

// Polls every 100 ms from firstMs to lastMs at 800 rpm, 3000 rpm at spikeMs, a
// marker at markerMs.
std::vector<uint8_t> Drive(int family, uint32_t firstMs, uint32_t lastMs, uint32_t markerMs,
                           int marker, uint32_t spikeMs) {
    RecordingBytes rec(family);
    for (uint32_t t = firstMs; t <= lastMs; t += 100) {
        Reply reply = BlankReply();
        SetChannel(reply, family, "FREQ", t == spikeMs ? 120 : 32); // × 25 rpm
        rec.poll(t, reply);
        if (t == markerMs) rec.marker(t, marker, "старт");
    }
    return rec.bytes();
}

int ColumnOfMax(const analysis::AnalysedRecording& r, const analysis::TimeView& view) {
    const int freq = analysis::FindChannel(kFamily, "FREQ");
    const analysis::LaneEnvelope lane = analysis::DecimateLanes(r, {freq}, view)[0];
    int best = -1;
    for (int c = 0; c < view.columns; ++c)
        if (lane.columns[c].hasData && (best < 0 || lane.columns[c].max > lane.columns[best].max))
            best = c;
    return best;
}

TEST(AnalysisAlignment, AtMarkersTheSameMomentFallsInTheSameColumn) {
    const analysis::LoadResult a = Load(Drive(kFamily, 0, 60000, 20000, 1, 25000));
    const analysis::LoadResult b = Load(Drive(kFamily, 3000, 90000, 41000, 7, 46000));
    ASSERT_EQ(a.status, analysis::LoadStatus::Ready);
    ASSERT_EQ(b.status, analysis::LoadStatus::Ready);
    const analysis::AnalysedRecording& first = *a.recording;
    const analysis::AnalysedRecording& second = *b.recording;
    ASSERT_EQ(analysis::ComparisonProblem(first, second), "");

    analysis::Alignment at;
    ASSERT_TRUE(analysis::AlignAtMarkers(first, 1, second, 7, at));
    EXPECT_DOUBLE_EQ(at.shiftMs, -21000);
    EXPECT_FALSE(analysis::AlignAtMarkers(first, 1, second, 2, at)); // no marker 2
    EXPECT_DOUBLE_EQ(analysis::AlignAtStart(first, second).shiftMs, -3000);
    // The same picked from each drive's list of moments, as the window's chooser offers
    // them: marker 1 of the first with marker 7 of the second, and the first polls.
    const auto moments = analysis::SpanAnchors(first),
               secondMoments = analysis::SpanAnchors(second);
    auto find = [](const std::vector<analysis::SpanAnchor>& list, const std::string& text) {
        for (const analysis::SpanAnchor& a : list)
            if (a.label.find(text) != std::string::npos) return a;
        ADD_FAILURE() << text;
        return analysis::SpanAnchor{};
    };
    EXPECT_DOUBLE_EQ(
        analysis::AlignAt(find(moments, "метка 1").timeMs, find(secondMoments, "метка 7").timeMs)
            .shiftMs,
        at.shiftMs);
    EXPECT_DOUBLE_EQ(analysis::AlignAt(find(moments, "первый опрос").timeMs,
                                       find(secondMoments, "первый опрос").timeMs)
                         .shiftMs,
                     -3000);

    struct View {
        double from, to;
        int columns;
    };
    const View views[] = {
        {24000, 26000, 1300},
        {24900, 25400, 700 },
        {0,     60000, 1300},
        {15000, 35000, 333 },
    };
    for (const View& v : views) {
        const analysis::TimeView view{v.from, v.to, v.columns};
        const int inFirst = ColumnOfMax(first, view);
        EXPECT_EQ(inFirst, int(view.columnOf(25000))) << v.from << ".." << v.to;
        EXPECT_EQ(ColumnOfMax(second, at.secondView(view)), inFirst) << v.from << ".." << v.to;
    }

    // The 10 s after the markers, in both.
    const int freq = analysis::FindChannel(kFamily, "FREQ");
    const auto rows = analysis::CompareSpanStats(first, second, at, {freq}, {20000, 30000});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].first.goodPolls, 101u);
    EXPECT_EQ(rows[0].second.goodPolls, 101u); // 41 s .. 51 s of the second
    EXPECT_DOUBLE_EQ(rows[0].second.max, 3000);
    EXPECT_DOUBLE_EQ(rows[0].meanDiff, rows[0].second.mean - rows[0].first.mean);
    EXPECT_EQ(rows[0].goodPollsDiff, 0);
}

TEST(AnalysisAlignment, ADriveOfAnotherFamilyIsRefusedWithAMessage) {
    const analysis::LoadResult a = Load(Drive(4, 0, 5000, 1000, 1, 2000));
    const analysis::LoadResult b = Load(Drive(1, 0, 5000, 1000, 1, 2000));
    ASSERT_EQ(a.status, analysis::LoadStatus::Ready);
    ASSERT_EQ(b.status, analysis::LoadStatus::Ready);
    EXPECT_EQ(analysis::ComparisonProblem(*a.recording, *b.recording),
              "Вторая запись сделана с ЭБУ семейства 1, а первая — с ЭБУ семейства 4: "
              "сравнивать можно только записи одного семейства ЭБУ.");
    EXPECT_TRUE(analysis::CompareSpanStats(*a.recording, *b.recording, {}, {0}, {0, 5000}).empty());
}

} // namespace
