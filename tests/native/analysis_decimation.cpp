// The timeline's decimation against brute force: for random recordings (failed
// polls, link stops, pauses) and random views from the deepest zoom to beyond
// the whole, every pixel column has exactly the min and max of its good polls
// (no spike lost), its first and last value, the bits ever and always set, and a
// line into it exactly when no failed poll or link stop lies in between.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "analysis_fixture.h"
#include "analysis/EnvelopePyramid.h"
#include "analysis/LaneEnvelope.h"
#include "analysis/TimeAxis.h"

namespace {

using namespace analysis_test;
using analysis::kNoPoll;
using recfile::RecordType;

constexpr int kFamily = 4;

struct Shape {
    const char* name;
    int polls;
    double failed; // share of polls without an answer
    double stops;  // share of polls after which the link is stopped and started
    double pauses; // share of polls followed by a long pause
};

// The recording as generated, the oracle's own account of it.
struct Truth {
    std::vector<uint32_t> times;
    std::vector<bool> good;
    std::vector<bool> breakBefore;
};

Truth MakeRecording(const Shape& shape, std::mt19937& random, RecordingBytes& rec) {
    Truth truth;
    std::uniform_real_distribution<double> share(0, 1);
    uint32_t t = 1000;
    bool stopped = false;
    for (int i = 0; i < shape.polls; ++i) {
        if (stopped) rec.event(RecordType::LinkStart, t);
        const bool good = i == shape.polls / 2 || share(random) >= shape.failed;
        if (good) {
            Reply reply = BlankReply();
            for (int b = 5; b < kGoodReplySize; ++b)
                reply[b] = static_cast<uint8_t>(random());
            rec.poll(t, reply);
        } else {
            rec.failedPoll(t);
        }
        truth.times.push_back(t);
        truth.good.push_back(good);
        truth.breakBefore.push_back(stopped && i > 0);
        stopped = share(random) < shape.stops;
        if (stopped) rec.event(RecordType::LinkStop, t + 1);
        t += 100 + random() % 40;
        if (share(random) < shape.pauses) t += 5000 + random() % 60000;
    }
    return truth;
}

// The columns a poll time falls in, by the view's own boundaries.
bool InColumn(const analysis::TimeView& v, int c, double t) {
    const bool last = c == v.columns - 1;
    return t >= v.timeOf(c) && (last ? t <= v.endMs : t < v.timeOf(c + 1));
}

bool NoGapBetween(const Truth& truth, std::size_t from, std::size_t to) {
    for (std::size_t p = from + 1; p <= to; ++p)
        if (!truth.good[p] || truth.breakBefore[p]) return false;
    return true;
}

void CheckLane(const analysis::AnalysedRecording& r, const Truth& truth, int channel,
               const analysis::TimeView& view, const std::string& where) {
    const std::vector<analysis::LaneEnvelope> lanes = analysis::DecimateLanes(r, {channel}, view);
    ASSERT_EQ(lanes.size(), 1u);
    const analysis::LaneEnvelope& lane = lanes[0];
    ASSERT_EQ(lane.columns.size(), std::size_t(view.columns)) << where;
    const std::vector<float>& values = r.column(channel);
    std::size_t inView = 0;
    for (int c = 0; c < view.columns; ++c) {
        const analysis::EnvelopeColumn& col = lane.columns[c];
        std::vector<std::size_t> polls, good;
        for (std::size_t p = 0; p < truth.times.size(); ++p)
            if (InColumn(view, c, truth.times[p])) {
                polls.push_back(p);
                if (truth.good[p]) good.push_back(p);
            }
        inView += polls.size();
        const std::string at = where + " column " + std::to_string(c);
        ASSERT_EQ(col.polls.size(), polls.size()) << at;
        ASSERT_EQ(col.hasData, !good.empty()) << at;
        bool gap = false;
        for (std::size_t i = 0; i < polls.size(); ++i)
            gap = gap || !truth.good[polls[i]] || (i > 0 && truth.breakBefore[polls[i]]);
        EXPECT_EQ(col.gap, gap) << at;
        if (good.empty()) continue;
        float lo = values[good[0]], hi = lo;
        uint8_t any = 0, all = 0xFF;
        for (std::size_t p : good) {
            lo = std::min(lo, values[p]);
            hi = std::max(hi, values[p]);
            any |= static_cast<uint8_t>(values[p]);
            all &= static_cast<uint8_t>(values[p]);
        }
        EXPECT_EQ(col.min, lo) << at;
        EXPECT_EQ(col.max, hi) << at;
        EXPECT_EQ(col.first, values[good.front()]) << at;
        EXPECT_EQ(col.last, values[good.back()]) << at;
        if (r.channels()[channel].kind == analysis::ChannelKind::Bits) {
            EXPECT_EQ(col.anyBits, any) << at;
            EXPECT_EQ(col.allBits, all) << at;
        }
        // The good poll before the column, wherever it is.
        std::size_t before = kNoPoll;
        for (std::size_t p = good.front(); p-- > 0;)
            if (truth.good[p]) {
                before = p;
                break;
            }
        const bool joins = before != kNoPoll && NoGapBetween(truth, before, good.front());
        ASSERT_EQ(col.joinsPrevious, joins) << at;
        if (joins) {
            EXPECT_EQ(col.previous, values[before]) << at;
        }
    }
    EXPECT_EQ(lane.points, inView * analysis::kPixelsPerPoint <= double(view.columns)) << where;
    if (!lane.points) return;
    std::size_t i = 0;
    for (std::size_t p = 0; p < truth.times.size(); ++p) {
        if (!truth.good[p] || truth.times[p] < view.startMs || truth.times[p] > view.endMs)
            continue;
        ASSERT_LT(i, lane.pointList.size()) << where;
        const analysis::LanePoint& point = lane.pointList[i++];
        EXPECT_EQ(point.poll, p) << where;
        EXPECT_EQ(point.value, values[p]) << where;
        std::size_t before = kNoPoll;
        for (std::size_t q = p; q-- > 0;)
            if (truth.good[q]) {
                before = q;
                break;
            }
        EXPECT_EQ(point.joinsPrevious, before != kNoPoll && NoGapBetween(truth, before, p))
            << where << " point " << p;
    }
    EXPECT_EQ(i, lane.pointList.size()) << where;
}

TEST(AnalysisDecimation, EveryColumnHoldsItsPollsExtremesAndNoLineCrossesAGap) {
    const Shape shapes[] = {
        {"dense",               3000, 0.01, 0.002, 0.0 },
        {"stormy",              1500, 0.30, 0.03,  0.01},
        {"pauses",              800,  0.05, 0.0,   0.05},
        {"one poll",            1,    0.0,  0.0,   0.0 },
        {"one good among many", 300,  0.99, 0.01,  0.0 },
    };
    const int freq = analysis::FindChannel(kFamily, "FREQ");
    const int loop = analysis::FindChannel(kFamily, "LOOP");
    const int codes = analysis::FindChannel(kFamily, "Eer 1");
    std::mt19937 random(2024);
    for (const Shape& shape : shapes) {
        RecordingBytes rec(kFamily);
        const Truth truth = MakeRecording(shape, random, rec);
        const analysis::LoadResult loaded = Load(rec.bytes());
        ASSERT_EQ(loaded.status, analysis::LoadStatus::Ready) << shape.name << loaded.message;
        const analysis::AnalysedRecording& r = *loaded.recording;
        ASSERT_EQ(r.pollCount(), truth.times.size());
        const double first = truth.times.front(), last = truth.times.back();
        std::uniform_real_distribution<double> unit(0, 1);
        for (int v = 0; v < 60; ++v) {
            analysis::TimeView view;
            const int columnChoices[] = {1, 7, 64, 1300};
            view.columns = columnChoices[random() % 4];
            const double whole = std::max(last - first, analysis::kMinViewMs);
            const double span =
                analysis::kMinViewMs * std::pow(2 * whole / analysis::kMinViewMs, unit(random));
            view.startMs = first - span / 2 + (whole + span / 2) * unit(random) - span / 2;
            view.endMs = view.startMs + span;
            if (v == 0) view = analysis::WholeRecording(r, 500);
            const std::string where = std::string(shape.name) + " view " + std::to_string(v);
            for (int channel : {freq, loop, codes})
                CheckLane(r, truth, channel, view, where);
        }
    }
}

TEST(AnalysisDecimation, PyramidGivesTheExtremesOfAnyRun) {
    std::mt19937 random(7);
    for (std::size_t n : {0u, 1u, 7u, 8u, 9u, 63u, 64u, 65u, 513u, 5000u}) {
        std::vector<float> v(n);
        for (float& x : v)
            x = random() % 5 == 0 ? NAN : static_cast<float>(random() % 256);
        analysis::EnvelopePyramid pyramid;
        pyramid.build(v.data(), n, true);
        for (int q = 0; q < 300; ++q) {
            const std::size_t b = n ? random() % (n + 1) : 0;
            const std::size_t e = b + (n - b ? random() % (n - b + 1) : 0);
            const analysis::Envelope got = pyramid.query(b, e);
            bool empty = true;
            float lo = 0, hi = 0;
            uint8_t any = 0, all = 0xFF;
            for (std::size_t i = b; i < e; ++i) {
                if (std::isnan(v[i])) continue;
                lo = empty ? v[i] : std::min(lo, v[i]);
                hi = empty ? v[i] : std::max(hi, v[i]);
                any |= static_cast<uint8_t>(v[i]);
                all &= static_cast<uint8_t>(v[i]);
                empty = false;
            }
            ASSERT_EQ(got.empty, empty) << n << " [" << b << ", " << e << ")";
            if (empty) continue;
            ASSERT_EQ(got.min, lo) << n << " [" << b << ", " << e << ")";
            ASSERT_EQ(got.max, hi) << n << " [" << b << ", " << e << ")";
            ASSERT_EQ(got.anyBits, any);
            ASSERT_EQ(got.allBits, all);
        }
    }
}

} // namespace
