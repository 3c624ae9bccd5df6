// The engine checks and the workshop report on one hour of ECU family 4 (about 30 000 polls,
// one every 120 ms, of the simulated engine warming up, idling, the throttle blipped now and
// then; 1 poll in 100 without an answer, a marker every 5 minutes, the link stopped for 10 s
// every 20 minutes), healthy and with weak charging, and eight hours healthy (the longest
// recording the analysis window opens is some 14 hours). Prints the twelve checks' time, the
// report's (checks, charts, HTML) and the size of the HTML. The goals: checks under 50 ms an
// hour, the report under 1 s and under 2 MB.
// Usage: bench_checks [directory for the scratch files, default /tmp]; with BENCH_KEEP set
// the recordings and their reports (.html) are kept there.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "record/RecordFormat.h"
#include "checks/Checks.h"
#include "analysis/RecordingLoader.h"
#include "report/ReportModel.h"
#include "tools/ecusim/EngineFaults.h"
#include "tools/ecusim/EngineModel.h"
#include "tools/ecusim/ReplyLayout.h"

namespace {

using Clock = std::chrono::steady_clock;
using recfile::Record;
using recfile::RecordType;

constexpr int kPollMs = 120;
constexpr int kFamily = 4;
constexpr int kHourPolls = 3600 * 1000 / kPollMs;
constexpr double kChecksGoalMs = 50;
constexpr double kReportGoalMs = 1000;
constexpr double kHtmlGoalBytes = 2e6;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The process's processor time: on a shared machine the wall clock says more about the
// neighbours than about this code.
double cpuMs() {
    return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
}

// Wall and processor time of one call, the median of `runs`.
template <typename F> std::pair<double, double> timed(int runs, F&& f) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        const double c0 = cpuMs();
        const auto t0 = Clock::now();
        f();
        wall.push_back(msSince(t0));
        cpu.push_back(cpuMs() - c0);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

void add(std::vector<uint8_t>& bytes, RecordType type, uint32_t t, int number = 0,
         const std::string& text = std::string()) {
    Record r;
    r.type = type;
    r.timeMs = t;
    r.number = number;
    r.text = text;
    recfile::EncodeRecord(r, bytes);
}

std::vector<uint8_t> makeRecording(int polls, ecusim::EngineFaults faults) {
    std::vector<uint8_t> bytes(std::begin(recfile::kSignature), std::end(recfile::kSignature));
    Record h;
    h.type = RecordType::SegmentHeader;
    h.header.programVersion = "bench";
    h.header.startDateTime = "2026-12-10T08:00:00.000+03:00";
    h.header.car = "NEXIA";
    h.header.engine = "1.5 SOHC";
    h.header.family = kFamily;
    h.header.port = "COM1";
    h.header.baud = 8192;
    recfile::EncodeRecord(h, bytes);
    add(bytes, RecordType::LinkStart, 0);
    ecusim::EngineModel engine(11, 20);
    engine.setFaults(faults);
    ecusim::EcuIdentity ecu;
    std::mt19937 random(5);
    int marker = 0;
    for (int i = 0; i < polls; ++i) {
        const uint32_t t = static_cast<uint32_t>(i) * kPollMs;
        engine.advance(kPollMs / 1000.0);
        const uint32_t inCycle = t % 1200000; // the link stopped 10 s every 20 minutes
        if (inCycle >= 1190000) continue;
        if (inCycle < kPollMs && t > 0) add(bytes, RecordType::LinkStart, t);
        Record p;
        p.type = RecordType::Poll;
        p.timeMs = t;
        p.hasReply = random() % 100 != 0;
        p.outcome = p.hasReply ? PollOutcome::GoodReply : PollOutcome::NoAnswer;
        p.received = p.hasReply ? kGoodReplySize : 4;
        p.reply = ecusim::buildPollReply(kFamily, engine.state(), ecu);
        recfile::EncodeRecord(p, bytes);
        if (inCycle + kPollMs >= 1190000 && inCycle < 1190000)
            add(bytes, RecordType::LinkStop, t + 1);
        if (i % 2500 == 1250) add(bytes, RecordType::Marker, t + 1, ++marker, "метка");
    }
    return bytes;
}

const char* goal(bool met) {
    return met ? "goal met" : "GOAL MISSED";
}

void run(const std::string& name, const std::string& path, ecusim::EngineFaults faults,
         int hours = 1) {
    const std::vector<uint8_t> bytes = makeRecording(kHourPolls * hours, faults);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    const bool written = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f) std::fclose(f);
    analysis::LoadControl control;
    analysis::LoadResult loaded;
    if (written) loaded = analysis::LoadRecordingFile(path, control);
    if (!std::getenv("BENCH_KEEP")) std::remove(path.c_str());
    if (!written || loaded.status != analysis::LoadStatus::Ready) {
        std::printf("%s: not opened %s\n", name.c_str(), loaded.message.c_str());
        return;
    }
    const analysis::AnalysedRecording& r = *loaded.recording;
    std::printf("%s: %zu polls, %.1f MB\n", name.c_str(), r.pollCount(), bytes.size() / 1e6);

    std::vector<checks::CheckResult> results;
    const auto all = timed(5, [&] { results = checks::RunChecks(checks::RecordingCheckData(r)); });
    std::printf("  twelve checks:  %8.1f ms (processor %.1f ms), median of 5 - %s (< %.0f ms)\n",
                all.first, all.second, goal(all.second < kChecksGoalMs * hours),
                kChecksGoalMs * hours);
    std::string verdicts;
    for (const checks::CheckResult& c : results)
        verdicts += std::string(" ") + checks::VerdictId(c.verdict);
    std::printf("  verdicts:      %s\n", verdicts.c_str());

    report::Report rep;
    rep.workshop = "Мастерская";
    rep.madeOn = "10.12.2026 09:30";
    std::string html;
    const auto made = timed(3, [&] {
        rep.drive = report::DriveOf(loaded.recording, path);
        html = report::ReportHtml(rep);
    });
    std::printf("  report (HTML):  %8.1f ms (processor %.1f ms), median of 3 - %s (< %.0f ms)\n",
                made.first, made.second, goal(made.second < kReportGoalMs), kReportGoalMs);
    if (std::getenv("BENCH_KEEP")) {
        const std::string out = path.substr(0, path.size() - 5) + ".html";
        if (std::FILE* h = std::fopen(out.c_str(), "wb")) {
            std::fwrite(html.data(), 1, html.size(), h);
            std::fclose(h);
        }
    }
    std::printf("  HTML size:      %8.2f MB - %s (< %.0f MB)\n", html.size() / 1e6,
                goal(html.size() < kHtmlGoalBytes), kHtmlGoalBytes / 1e6);
}

} // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "/tmp";
    run("1 h, healthy", dir + "/bench_checks_healthy.mrec", 0);
    run("1 h, weak charging", dir + "/bench_checks_charging.mrec",
        static_cast<ecusim::EngineFaults>(ecusim::EngineFault::WeakCharging));
    run("8 h, healthy", dir + "/bench_checks_8h.mrec", 0, 8);
    return 0;
}
