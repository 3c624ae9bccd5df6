// What the analysis reads out is what the rest of the program shows: the columns
// hold the CSV export's numbers for every poll of every family (the decoder's
// kept answers change nothing), the cursor box the readout's texts, the axis
// the recorded clock with the events' texts, the lanes the catalogue's texts and
// the chart's scale labels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "analysis_fixture.h"
#include "record/ChannelValues.h"
#include "analysis/CursorReadout.h"
#include "analysis/Lanes.h"
#include "analysis/PollDecoder.h"
#include "analysis/TimeAxis.h"
#include "settings/ParameterCatalogue.h"

namespace {

using namespace analysis_test;
using recfile::RecordType;

// A CSV cell as the number the column should hold.
double CsvNumber(const std::string& cell) {
    int h = 0, m = 0, s = 0;
    if (std::sscanf(cell.c_str(), "%d:%d:%d", &h, &m, &s) == 3) return h * 3600 + m * 60 + s;
    if (cell.rfind("0x", 0) == 0) return double(std::strtoul(cell.c_str() + 2, nullptr, 16));
    return std::strtod(cell.c_str(), nullptr);
}

TEST(AnalysisReadout, ColumnsHoldTheCsvNumbersOfEveryPollOfEveryFamily) {
    std::mt19937 random(31);
    for (int family = 1; family <= 4; ++family) {
        RecordingBytes rec(family);
        std::vector<Reply> replies;
        Reply reply = BlankReply();
        for (int i = 0; i < 3000; ++i) {
            // Mostly small drifts (the kept answers are used), now and then a new reply.
            for (int b = 5; b < kGoodReplySize; ++b)
                if (i % 50 == 0 || random() % 16 == 0) reply[b] = static_cast<uint8_t>(random());
            rec.poll(120 * i, reply);
            replies.push_back(reply);
        }
        const analysis::LoadResult loaded = Load(rec.bytes());
        ASSERT_EQ(loaded.status, analysis::LoadStatus::Ready);
        const analysis::AnalysedRecording& r = *loaded.recording;
        ChannelValues csv;
        analysis::PollDecoder direct(family);
        std::vector<float> row(r.channelCount());
        for (std::size_t p = 0; p < replies.size(); ++p) {
            const std::vector<std::string>& cells = csv.decode(replies[p].data(), family, '.');
            ASSERT_EQ(cells.size(), std::size_t(r.channelCount()));
            direct.decodeDirectly(replies[p].data(), row.data());
            for (int c = 0; c < r.channelCount(); ++c) {
                const float v = r.value(c, p);
                ASSERT_EQ(v, static_cast<float>(CsvNumber(cells[c])))
                    << "family " << family << " poll " << p << " " << r.channels()[c].mnemonic
                    << " \"" << cells[c] << "\"";
                ASSERT_EQ(v, row[c]) << "family " << family << " poll " << p;
            }
        }
    }
}

TEST(AnalysisReadout, TheCursorSaysWhatTheReadoutSays) {
    constexpr int kFamily = 4;
    RecordingBytes rec(kFamily);
    Reply reply = BlankReply();
    SetChannel(reply, kFamily, "MAP", 71);  // 36.17 kPa: "36,2"
    SetChannel(reply, kFamily, "FREQ", 34); // "850"
    SetChannel(reply, kFamily, "LOOP", 1);  // "Да"
    SetChannel(reply, kFamily, "Eer 1", 9); // the byte
    rec.poll(4000, reply);
    rec.failedPoll(4120);
    const analysis::LoadResult loaded = Load(rec.bytes());
    ASSERT_EQ(loaded.status, analysis::LoadStatus::Ready);
    const analysis::AnalysedRecording& r = *loaded.recording;
    const std::vector<int> lanes = {
        analysis::FindChannel(kFamily, "MAP"), analysis::FindChannel(kFamily, "FREQ"),
        analysis::FindChannel(kFamily, "LOOP"), analysis::FindChannel(kFamily, "Eer 1")};
    analysis::CursorReader cursor;
    const analysis::CursorReadout at = cursor.at(r, 4050, lanes, ',');
    EXPECT_EQ(at.poll, 0u);
    EXPECT_EQ(at.clockText, "21:44:52.250");
    EXPECT_EQ(at.secondsText, "4,000");
    EXPECT_TRUE(at.good);
    EXPECT_EQ(at.values, (std::vector<std::string>{"36,2", "850", "Да", "9"}));
    const analysis::CursorReadout failed = cursor.at(r, 4100, lanes, ',');
    EXPECT_EQ(failed.poll, 1u);
    EXPECT_FALSE(failed.good);
    EXPECT_EQ(failed.failure, "нет ответа");
    EXPECT_EQ(failed.values, std::vector<std::string>(4));
}

TEST(AnalysisReadout, TheAxisShowsTheRecordedClockAndTheEventsWithTheirTexts) {
    RecordingBytes rec(4, "2026-12-09T21:44:58.250+03:00");
    for (uint32_t t = 0; t <= 60000; t += 100)
        rec.poll(t, BlankReply());
    rec.marker(30000, 1);
    rec.event(RecordType::MarkerText, 60000, 1, "холостой ход"); // the text given later wins
    rec.event(RecordType::LinkStop, 60010);
    rec.segment(60020, 4, "2026-12-09T22:10:00.000+03:00");
    rec.event(RecordType::LinkStart, 60030);
    for (uint32_t t = 60100; t <= 70000; t += 100)
        rec.poll(t, BlankReply());
    const analysis::LoadResult loaded = Load(rec.bytes());
    ASSERT_EQ(loaded.status, analysis::LoadStatus::Ready);
    const analysis::AnalysedRecording& r = *loaded.recording;

    // 20 s over 1000 columns: a tick every 2 s (70 pixels apart at least), at round seconds.
    const analysis::TimeView view{1000, 21000, 1000};
    const std::vector<analysis::TimeTick> ticks = analysis::TimeTicks(r, view);
    ASSERT_EQ(ticks.size(), 10u);
    EXPECT_EQ(ticks[0].text, "21:45:00");
    EXPECT_DOUBLE_EQ(ticks[0].column, view.columnOf(1750));
    EXPECT_EQ(ticks[1].text, "21:45:02");
    // Past the new segment, its own clock.
    const analysis::TimeView late{59000, 69000, 1000};
    const std::vector<analysis::TimeTick> lateTicks = analysis::TimeTicks(r, late);
    ASSERT_FALSE(lateTicks.empty());
    EXPECT_EQ(lateTicks.back().text, "22:10:08");
    EXPECT_EQ(analysis::RecordedClockText(r, 65020, true), "22:10:05.000");

    std::vector<std::string> texts;
    for (const analysis::AxisEvent& e : analysis::EventsInView(r, {0, 70000, 700}))
        texts.push_back(e.event->text);
    EXPECT_EQ(texts, (std::vector<std::string>{"метка 1: холостой ход", "СТОП",
                                               "новый участок: NEXIA 1.5 SOHC", "СТАРТ"}));
    EXPECT_TRUE(r.breakBefore(r.pollsFrom(60100, 60200).begin)); // no line across the stop
}

TEST(AnalysisReadout, LanesCarryTheCataloguesTextsAndTheChartsScales) {
    struct Row {
        int family;
        const char* mnemonic;
        analysis::ChannelKind kind;
        const char* top;
        double topValue, bottomValue;
    };
    const Row rows[] = {
        {1, "FREQ",    analysis::ChannelKind::Number, "6400",     6400,  0  },
        {1, "TIME",    analysis::ChannelKind::Number, "18:12:15", 65535, 0  },
        {1, "JOOP",    analysis::ChannelKind::YesNo,  "Да",     1,     0  },
        {1, "MW1",     analysis::ChannelKind::Bits,   "0xFF",     255,   0  },
        {2, "UOZ",     analysis::ChannelKind::Number, "90,0",     90,    -90},
        {4, "TWAT",    analysis::ChannelKind::Number, "152",      152,   -40},
        {4, "INJ",     analysis::ChannelKind::Number, "65,00",    65,    0  },
        {4, "PROM id", analysis::ChannelKind::Number, "0xFFFF",   65535, 0  },
    };
    for (const Row& row : rows) {
        const std::vector<analysis::Channel> channels = analysis::FamilyChannels(row.family);
        const int k = analysis::FindChannel(row.family, row.mnemonic);
        ASSERT_GE(k, 0) << row.mnemonic;
        const analysis::Channel& c = channels[k];
        EXPECT_EQ(c.caption, CatalogueCaption(row.family, k)) << row.mnemonic;
        EXPECT_EQ(c.kind, row.kind) << row.mnemonic;
        EXPECT_EQ(c.scale.topText, row.top) << row.mnemonic;
        EXPECT_DOUBLE_EQ(c.scale.top, row.topValue) << row.mnemonic;
        EXPECT_DOUBLE_EQ(c.scale.bottom, row.bottomValue) << row.mnemonic;
    }
    for (int family = 1; family <= 4; ++family) {
        std::vector<std::string> names;
        for (int k : analysis::DefaultLanes(family))
            names.push_back(analysis::FamilyChannels(family)[k].mnemonic);
        EXPECT_EQ(names,
                  (std::vector<std::string>{"FREQ", "TWAT", "UO2SENS", "MAP", "THR", "LEARN"}))
            << "family " << family;
    }
    EXPECT_TRUE(analysis::DefaultLanes(5).empty());
}

} // namespace
