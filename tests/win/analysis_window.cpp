// The analysis window over a recording written here, with every poll's reply
// different and a stretch without answers: what its cursor and its span's
// figures say is what the CSV export of the same polls says, a double-click on
// the timeline sends the replay to that poll, a click on a check shows the
// stretch it judged, and «Отчёт» writes what --report writes.
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
#include "platform/Win32Registry.h"
#include "record/RecordFile_win32.h"
#include "record/RecordingWriter.h"
#include "analysis/AnalysisChannels.h"
#include "checks/CheckInfo.h"
#include "report/ReportCommand.h"
#include "settings/ReportSettings.h"
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
std::string WriteRecording(const std::string& name = "Анализ.mrec", uint32_t lengthMs = kLengthMs,
                           unsigned seed = 18) {
    const std::string path = TempPath(name);
    DeleteFileW(Widen(path).c_str());
    Win32RecordFile file;
    RecordingWriter writer(file);
    recfile::RecordingHeader h;
    h.family = 4;
    h.car = "LEGANZA";
    h.engine = "2.2 DOHC";
    h.startDateTime = "2026-12-09T10:00:00.000+03:00";
    EXPECT_EQ(writer.begin(path, h, 0), FileError::None) << path;
    std::mt19937 random(seed);
    for (uint32_t t = 0; t <= lengthMs; t += kPollMs) {
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

std::string ReadText(const std::string& path) {
    std::ifstream in(Widen(path).c_str(), std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

TEST(AnalysisWindow, AClickOnACheckMovesTheTimelineToTheStretchItJudged) {
    TForm1& f = Main();
    constexpr uint32_t kLongMs = 600000; // ten minutes, the silence in its first
    const std::string path = WriteRecording("Проверки.mrec", kLongMs);
    TFormAnalysis& w = OpenAnalysis(f, path);
    ASSERT_NE(w.recording(), nullptr) << w.message();
    ASSERT_TRUE(PumpUntil([&w] { return !w.checksRunning(); }, 10000));
    ASSERT_EQ(w.checkResults().size(), std::size_t(checks::kCheckCount));
    const std::size_t row = static_cast<std::size_t>(checks::Check::LinkQuality);
    const checks::CheckResult& link = w.checkResults()[row];
    // The link's evidence is the stretch without answers.
    ASSERT_EQ(link.spans.size(), 1u);
    EXPECT_EQ(link.spans[0].fromMs, kSilentFrom);
    EXPECT_EQ(link.spans[0].toMs, kSilentTo - kPollMs);
    EXPECT_DOUBLE_EQ(w.timeView().endMs, kLongMs);

    w.setView(TFormAnalysis::View::Checks);
    // Rolled down with the wheel until its row is in sight, then clicked.
    for (int turn = 0; turn < 12 && !(w.checksRowY(row) >= w.lanesTop() &&
                                      w.checksRowY(row) + 20 < w.lanesBottom());
         ++turn)
        SendMessageW(w.handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    const int y = w.checksRowY(row) + 8;
    ASSERT_LT(y, w.lanesBottom());
    SendMessageW(w.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, y));
    SendMessageW(w.handle(), WM_LBUTTONUP, 0, MAKELPARAM(400, y));

    EXPECT_EQ(w.view(), TFormAnalysis::View::Lanes);
    ASSERT_EQ(w.evidence().size(), 1u);
    EXPECT_EQ(w.evidence()[0].fromMs, kSilentFrom);
    // The timeline holds the stretch amid a minute of the recording, no longer all of it.
    EXPECT_LE(w.timeView().startMs, kSilentFrom);
    EXPECT_GE(w.timeView().endMs, kSilentTo);
    EXPECT_LT(w.timeView().endMs - w.timeView().startMs, 61000);
    EXPECT_NE(w.message().find(checks::InfoOf(checks::Check::LinkQuality)->title),
              std::string::npos);
    f.replay.closeAnalysis();
    DeleteFileW(Widen(path).c_str());
}

TEST(AnalysisWindow, TheReportIsWhatReportWritesWithTheSecondDriveAsTheOneBefore) {
    TForm1& f = Main();
    const std::string after = WriteRecording("После.mrec", kLengthMs, 18);
    const std::string before = WriteRecording("До.mrec", kLengthMs, 7);
    f.replay.openAnalysis(after, before);
    ASSERT_TRUE(PumpUntil(
        [&f] {
            TFormAnalysis* a = f.replay.analysisWindow();
            return a && !a->loading() && a->secondRecording();
        },
        10000));
    TFormAnalysis& w = *f.replay.analysisWindow();
    std::vector<std::string> opened;
    bool opens = true;
    w.OpenReport = [&](const std::string& file) {
        opened.push_back(file);
        return opens;
    };
    const std::string shown = TempPath("отчёт окна.html"), told = TempPath("отчёт команды.html");
    for (const std::string& file : {shown, told})
        DeleteFileW(Widen(file).c_str());
    w.reportTo(shown);
    EXPECT_EQ(w.message(), "Сохранено: " + shown);
    EXPECT_EQ(opened, std::vector<std::string>{shown});

    ReportRequest request;
    request.recording = after;
    request.before = before;
    request.output = told;
    Win32Registry registry;
    request.workshop = LoadWorkshopName(registry); // as the command line's report has it
    Win32RecordFile file;
    const ReportOutcome outcome = RunReport(
        request,
        [](const std::string& p, std::vector<uint8_t>& bytes) {
            FileError why = FileError::None;
            return ReadWholeFile(p, bytes, why);
        },
        file);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.message;
    // The same but for the minute each was made in.
    auto withoutDate = [](std::string html) {
        const std::size_t at = html.find(", составлен ");
        if (at != std::string::npos) html.erase(at, html.find('<', at) - at);
        return html;
    };
    const std::string a = ReadText(shown), b = ReadText(told);
    EXPECT_NE(a.find("до и после ремонта"), std::string::npos);
    EXPECT_NE(a.find(checks::InfoOf(checks::Check::LinkQuality)->title), std::string::npos);
    EXPECT_EQ(withoutDate(a), withoutDate(b));

    // A browser that cannot be started: the file stays written and the window says so.
    opens = false;
    DeleteFileW(Widen(told).c_str());
    w.reportTo(told);
    EXPECT_EQ(w.message(), "Сохранено: " + told +
                               ". Открыть отчёт в браузере не удалось: откройте этот файл сами.");
    EXPECT_EQ(withoutDate(ReadText(told)), withoutDate(a));
    f.replay.closeAnalysis();
    for (const std::string& path : {after, before, shown, told})
        DeleteFileW(Widen(path).c_str());
}

} // namespace
