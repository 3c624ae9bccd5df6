// Span figures against a plain computation of our own: the values read back from
// the CSV export's decoding of every poll, then min, max, mean and standard
// deviation worked out the long way, the yes/no and bit shares counted, over
// spans picked from the list of markers and events.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "analysis_fixture.h"
#include "record/ChannelValues.h"
#include "analysis/SpanStatistics.h"
#include "analysis/TimeAxis.h"

namespace {

using namespace analysis_test;
using recfile::RecordType;

constexpr int kFamily = 1;

struct Poll {
    uint32_t t;
    bool good;
    std::vector<double> csv; // the CSV export's numbers for the reply
};

// A CSV cell as a number; run time "hh:mm:ss" in seconds.
double CsvNumber(const std::string& cell) {
    int h = 0, m = 0, s = 0;
    if (std::sscanf(cell.c_str(), "%d:%d:%d", &h, &m, &s) == 3) return h * 3600 + m * 60 + s;
    return std::strtod(cell.c_str(), nullptr);
}

struct Expected {
    std::size_t good = 0, failed = 0, values = 0;
    double min = 0, max = 0, mean = 0, deviation = 0, yes = 0;
    double bits[8] = {};
};

Expected PlainFigures(const std::vector<Poll>& polls, int channel, double from, double to) {
    std::vector<double> v;
    Expected e;
    for (const Poll& p : polls) {
        if (p.t < from || p.t > to) continue;
        if (!p.good) {
            ++e.failed;
            continue;
        }
        ++e.good;
        v.push_back(p.csv[channel]);
    }
    e.values = v.size();
    if (v.empty()) return e;
    e.min = e.max = v[0];
    long double sum = 0;
    for (double x : v) {
        e.min = std::min(e.min, x);
        e.max = std::max(e.max, x);
        sum += x;
        e.yes += x != 0;
        for (int b = 0; b < 8; ++b)
            e.bits[b] += (static_cast<int>(x) >> b) & 1;
    }
    e.mean = double(sum / v.size());
    long double squares = 0;
    for (double x : v)
        squares += (x - e.mean) * (x - e.mean);
    e.deviation = std::sqrt(double(squares / v.size()));
    e.yes /= v.size();
    for (double& b : e.bits)
        b /= v.size();
    return e;
}

TEST(AnalysisStatistics, FiguresOfSpansPickedFromTheListMatchAPlainComputation) {
    RecordingBytes rec(kFamily);
    std::vector<Poll> polls;
    std::mt19937 random(99);
    Reply reply = BlankReply();
    ChannelValues csv;
    for (int i = 0; i < 4000; ++i) {
        const uint32_t t = 120 * i;
        for (int b = 5; b < kGoodReplySize; ++b)
            if (random() % 4 == 0) reply[b] = static_cast<uint8_t>(reply[b] + random() % 7 - 3);
        const bool good = random() % 20 != 0;
        if (good)
            rec.poll(t, reply);
        else
            rec.failedPoll(t);
        polls.push_back({t, good, {}});
        if (good)
            for (const std::string& cell : csv.decode(reply.data(), kFamily, '.'))
                polls.back().csv.push_back(CsvNumber(cell));
        if (i == 41) rec.marker(t + 10, 1, "холостой ход");
        if (i == 1500) rec.event(RecordType::LinkStop, t + 5);
        if (i == 1501) rec.event(RecordType::LinkStart, t - 5);
        if (i == 2900) rec.marker(t + 10, 2, "разгон");
    }
    const analysis::LoadResult loaded = Load(rec.bytes());
    ASSERT_EQ(loaded.status, analysis::LoadStatus::Ready);
    const analysis::AnalysedRecording& r = *loaded.recording;

    const std::vector<analysis::SpanAnchor> anchors = analysis::SpanAnchors(r);
    ASSERT_EQ(anchors.size(), 6u); // start, marker 1, STOP, START, marker 2, end
    EXPECT_EQ(anchors[1].label, "21:44:53 метка 1: холостой ход"); // 48.250 + 4.930 s
    EXPECT_EQ(anchors[2].label, "21:47:48 СТОП");
    EXPECT_EQ(anchors.back().label, "21:52:48 последний опрос");

    struct Case {
        const char* name;
        analysis::TimeSpan span;
    };
    const Case cases[] = {
        {"whole",                analysis::WholeSpan(r)          },
        {"marker 1 to marker 2", analysis::SpanBetween(anchors[1], anchors[4])},
        {"end back to START",                      analysis::SpanBetween(anchors.back(),                                    anchors[3])},
        {"between two polls",           {121, 239}       },
        {"beyond the end",  {470000, 900000}                          },
    };
    std::vector<int> channels;
    for (int c = 0; c < r.channelCount(); ++c)
        if (r.channels()[c].mnemonic != "PROM id") channels.push_back(c);
    for (const Case& c : cases) {
        const std::vector<analysis::ChannelStats> got = analysis::SpanStats(r, channels, c.span);
        const double duration = std::max(0.0, std::min(c.span.toMs, double(polls.back().t)) -
                                                  std::max(c.span.fromMs, 0.0));
        for (std::size_t i = 0; i < channels.size(); ++i) {
            const analysis::ChannelStats& s = got[i];
            const Expected e = PlainFigures(polls, channels[i], c.span.fromMs, c.span.toMs);
            const std::string at = std::string(c.name) + " " + r.channels()[channels[i]].mnemonic;
            ASSERT_EQ(s.goodPolls, e.good) << at;
            ASSERT_EQ(s.failedPolls, e.failed) << at;
            ASSERT_EQ(s.values, e.values) << at;
            EXPECT_DOUBLE_EQ(s.durationMs, duration) << at;
            if (e.values == 0) continue;
            const double tolerance = 1e-9 * std::max(1.0, std::fabs(e.max - e.min));
            EXPECT_NEAR(s.min, e.min, 1e-4 * std::max(1.0, std::fabs(e.min))) << at;
            EXPECT_NEAR(s.max, e.max, 1e-4 * std::max(1.0, std::fabs(e.max))) << at;
            EXPECT_NEAR(s.mean, e.mean, 1e-4 * std::max(1.0, std::fabs(e.mean))) << at;
            EXPECT_NEAR(s.deviation, e.deviation, 1e-4 * std::max(1.0, e.deviation) + tolerance)
                << at;
            switch (r.channels()[channels[i]].kind) {
            case analysis::ChannelKind::YesNo:
                EXPECT_DOUBLE_EQ(s.yesShare, e.yes) << at;
                EXPECT_DOUBLE_EQ(s.yesShare + s.noShare, 1.0) << at;
                break;
            case analysis::ChannelKind::Bits:
                for (int b = 0; b < 8; ++b)
                    EXPECT_DOUBLE_EQ(s.bitShare[b], e.bits[b]) << at << " bit " << b;
                break;
            case analysis::ChannelKind::Number:
                break;
            }
        }
    }
}

TEST(AnalysisStatistics, AddedChannelsFollowTheLanesAndEvidenceIsShownAmidItsSurroundings) {
    struct Listed {
        std::vector<int> lanes, added, listed;
    };
    const Listed lists[] = {
        {{17, 27, 40}, {},         {17, 27, 40}      },
        {{17, 27, 40}, {5, 2},     {17, 27, 40, 5, 2}},
        {{17, 27, 17}, {27, 3, 3}, {17, 27, 3}       },
        {{},           {9},        {9}               },
    };
    for (const Listed& l : lists)
        EXPECT_EQ(analysis::StatsChannels(l.lanes, l.added), l.listed);

    // Polls from 10 s to 310 s: a tenth either side, at least a minute, within the recording.
    RecordingBytes rec(kFamily);
    for (uint32_t t = 10000; t <= 310000; t += 1000)
        rec.poll(t, BlankReply());
    const analysis::LoadResult loaded = Load(rec.bytes());
    ASSERT_EQ(loaded.status, analysis::LoadStatus::Ready);
    struct Shown {
        double from, to, shownFrom, shownTo;
    };
    const Shown shown[] = {
        {100000, 200000, 90000,  210000}, // a tenth of 100 s either side
        {150000, 150000, 120000, 180000}, // a moment amid a minute
        {140000, 150000, 115000, 175000}, // 10 s amid a minute
        {12000,  20000,  10000,  46000 }, // cut at the first poll
        {20000,  305000, 10000,  310000}, // the whole recording and no more
    };
    for (const Shown& s : shown) {
        const analysis::TimeSpan got = analysis::Surroundings(*loaded.recording, s.from, s.to);
        EXPECT_DOUBLE_EQ(got.fromMs, s.shownFrom) << s.from << ".." << s.to;
        EXPECT_DOUBLE_EQ(got.toMs, s.shownTo) << s.from << ".." << s.to;
    }
}

} // namespace
