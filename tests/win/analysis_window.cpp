// The analysis window over a recording written here, with every poll's reply
// different and a stretch without answers: what its cursor and its span's
// figures say is what the CSV export of the same polls says, and a double-click
// on the timeline sends the replay to that poll.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/TextConversion.h"
#include "record/RecordFile_win32.h"
#include "record/RecordingWriter.h"
#include "analysis/AnalysisChannels.h"
#include "tests/win/ProgramDriver.h"

using namespace program_driver;

namespace {

constexpr uint32_t kPollMs = 125;
constexpr uint32_t kLengthMs = 60000;
constexpr uint32_t kSilentFrom = 20000, kSilentTo = 22000; // no answer

std::string TempPath(const std::string& name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return Narrow(temp) + std::to_string(GetCurrentProcessId()) + " " + name;
}

// Family 4, each reply's bytes drawn at random after the frame's head.
std::string WriteRecording() {
    const std::string path = TempPath("Анализ.mrec");
    DeleteFileW(Widen(path).c_str());
    Win32RecordFile file;
    RecordingWriter writer(file);
    recfile::RecordingHeader h;
    h.family = 4;
    h.car = "LEGANZA";
    h.engine = "2.2 DOHC";
    h.startDateTime = "2026-12-09T10:00:00.000+03:00";
    EXPECT_EQ(writer.begin(path, h, 0), FileError::None) << path;
    std::mt19937 random(18);
    for (uint32_t t = 0; t <= kLengthMs; t += kPollMs) {
        if (t >= kSilentFrom && t < kSilentTo) {
            writer.poll(t, PollOutcome::NoAnswer, 4, nullptr, 0);
            continue;
        }
        std::array<uint8_t, kGoodReplySize> reply{};
        reply[0] = 0xF4;
        reply[1] = 0x56;
        reply[2] = 0x01;
        for (std::size_t i = 3; i < reply.size(); ++i)
            reply[i] = static_cast<uint8_t>(random());
        writer.poll(t, PollOutcome::GoodReply, kGoodReplySize, reply.data(), 0);
    }
    EXPECT_EQ(writer.finish(0), FileError::None);
    return path;
}

// The CSV as rows of fields; the separator is the first of ';' and ',' in the heading.
std::vector<std::vector<std::string>> ReadCsv(const std::string& path) {
    std::ifstream in(Widen(path).c_str(), std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    std::string text = all.str();
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    const char separator = text.find(';') < text.find('\n') ? ';' : ',';
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> fields(1);
        bool quoted = false;
        for (char c : line) {
            if (c == '"')
                quoted = !quoted;
            else if (c == separator && !quoted)
                fields.emplace_back();
            else
                fields.back() += c;
        }
        rows.push_back(fields);
    }
    return rows;
}

double Number(std::string text) {
    for (char& c : text)
        if (c == ',') c = '.';
    return std::strtod(text.c_str(), nullptr);
}

// The CSV's row of a poll by its seconds ("21,125" or "21.125").
const std::vector<std::string>* RowAt(const std::vector<std::vector<std::string>>& rows,
                                      uint32_t ms) {
    for (const auto& row : rows)
        if (!row.empty() && !row[0].empty() &&
            std::isdigit(static_cast<unsigned char>(row[0][0])) &&
            std::lround(Number(row[0]) * 1000) == static_cast<long>(ms))
            return &row;
    return nullptr;
}

TFormAnalysis& OpenAnalysis(TForm1& f, const std::string& path) {
    f.replay.openAnalysis(path);
    EXPECT_TRUE(PumpUntil(
        [&f] { return f.replay.analysisWindow() && !f.replay.analysisWindow()->loading(); },
        10000));
    return *f.replay.analysisWindow();
}

TEST(AnalysisWindow, CursorAndSpanSayWhatTheCsvSaysAndADoubleClickMovesTheReplay) {
    TForm1& f = Main();
    const std::string path = WriteRecording();
    TFormAnalysis& w = OpenAnalysis(f, path);
    ASSERT_NE(w.recording(), nullptr) << w.message();
    ASSERT_EQ(w.lanes().size(), 6u);
    const std::vector<analysis::Channel>& channels = w.recording()->channels();

    const std::string csv = TempPath("Анализ.csv");
    DeleteFileW(Widen(csv).c_str());
    w.exportTo(csv);
    const auto rows = ReadCsv(csv);
    ASSERT_GT(rows.size(), kLengthMs / kPollMs);

    // The cursor on good polls, a failed one and the ends: each lane's value is the
    // poll's field in the CSV (channel row r is the field after the two time columns).
    for (uint32_t ms : {0u, 125u, 7375u, 20500u, 33000u, kLengthMs}) {
        w.moveCursorTo(ms);
        ASSERT_EQ(w.cursor().timeMs, ms);
        const std::vector<std::string>* row = RowAt(rows, ms);
        ASSERT_NE(row, nullptr) << ms;
        for (std::size_t lane = 0; lane < w.lanes().size(); ++lane) {
            const std::size_t column = 2 + static_cast<std::size_t>(w.lanes()[lane]);
            ASSERT_LT(column, row->size());
            EXPECT_EQ(w.cursor().values[lane], (*row)[column])
                << ms << " ms, " << channels[w.lanes()[lane]].mnemonic;
        }
    }

    // A span across the silence: its figures from the CSV rows inside it.
    const double from = 15000, to = 30000;
    w.selectSpan(to, from); // dragged right to left
    ASSERT_TRUE(w.hasSpan());
    ASSERT_EQ(w.spanStats().size(), w.lanes().size());
    for (std::size_t lane = 0; lane < w.lanes().size(); ++lane) {
        const std::size_t column = 2 + static_cast<std::size_t>(w.lanes()[lane]);
        std::vector<double> values;
        std::size_t failed = 0;
        for (const auto& row : rows) {
            if (row.size() <= column || row[0].empty() ||
                !std::isdigit(static_cast<unsigned char>(row[0][0])))
                continue;
            const double ms = Number(row[0]) * 1000;
            if (ms < from - 0.5 || ms > to + 0.5) continue;
            if (row[column].empty())
                ++failed;
            else
                values.push_back(Number(row[column]));
        }
        ASSERT_FALSE(values.empty());
        double min = values[0], max = values[0], sum = 0;
        for (double v : values) {
            min = std::min(min, v);
            max = std::max(max, v);
            sum += v;
        }
        const double mean = sum / values.size();
        double squares = 0;
        for (double v : values)
            squares += (v - mean) * (v - mean);
        const analysis::ChannelStats& s = w.spanStats()[lane];
        const std::string name = channels[s.channel].mnemonic;
        EXPECT_EQ(s.channel, w.lanes()[lane]);
        EXPECT_EQ(s.goodPolls, values.size()) << name;
        EXPECT_EQ(s.failedPolls, failed) << name;
        EXPECT_EQ(failed, (kSilentTo - kSilentFrom) / kPollMs);
        EXPECT_NEAR(s.min, min, 1e-3) << name;
        EXPECT_NEAR(s.max, max, 1e-3) << name;
        EXPECT_NEAR(s.mean, mean, 1e-3 * std::max(1.0, std::fabs(mean))) << name;
        EXPECT_NEAR(s.deviation, std::sqrt(squares / values.size()), 1e-3 * std::max(1.0, max))
            << name;
        EXPECT_NEAR(s.durationMs, to - from, 0.5);
    }

    // A double-click on the timeline: the replay comes up at that poll.
    ASSERT_FALSE(f.replay.active());
    const uint32_t target = 41000;
    const int x = w.xOfTime(target);
    const int y = (w.lanesTop() + w.lanesBottom()) / 2;
    SendMessageW(w.handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(w.handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    ASSERT_TRUE(PumpUntil([&f] { return f.replay.active(); }, 5000));
    EXPECT_EQ(w.cursor().timeMs, target);
    EXPECT_EQ(f.replay.window()->session().player().positionMs(), target);
    // Again, now that the replay is up: it moves there without opening anew.
    TFormReplay* replay = f.replay.window();
    const uint32_t back = 9000;
    SendMessageW(w.handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(w.xOfTime(back), y));
    SendMessageW(w.handle(), WM_LBUTTONUP, 0, MAKELPARAM(w.xOfTime(back), y));
    PumpFor(100);
    EXPECT_EQ(f.replay.window(), replay);
    EXPECT_EQ(replay->session().player().positionMs(), back);

    f.replay.closeAnalysis();
    f.replay.close();
    DeleteFileW(Widen(csv).c_str());
    DeleteFileW(Widen(path).c_str());
}

TEST(AnalysisWindow, WhatCannotBeAnalysedSaysSoAndDrawsNoChart) {
    TForm1& f = Main();
    const std::string garbage = TempPath("не запись.mrec");
    {
        std::ofstream out(Widen(garbage).c_str(), std::ios::binary);
        out << "this is not a recording at all";
    }
    TFormAnalysis& w = OpenAnalysis(f, garbage);
    EXPECT_EQ(w.recording(), nullptr);
    EXPECT_EQ(w.message(), "Файл не является записью MOTOSKOP.");
    f.replay.closeAnalysis();
    TFormAnalysis& missing = OpenAnalysis(f, TempPath("нет такой.mrec"));
    EXPECT_EQ(missing.recording(), nullptr);
    EXPECT_EQ(missing.message(), "Не удалось открыть файл записи.");
    f.replay.closeAnalysis();
    DeleteFileW(Widen(garbage).c_str());
}

} // namespace
