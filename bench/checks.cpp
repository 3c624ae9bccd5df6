// The engine checks and the workshop report on one hour of ECU family 4 (about 30 000 polls
// of the simulated drive in bench/BenchDrive.h), healthy and with weak charging, and eight
// hours healthy (the longest recording the analysis window opens is some 14 hours). Prints
// the twelve checks' time, the report's (checks, charts, HTML) and the size of the HTML. The
// goals: checks under 50 ms an hour, the report under 1 s and under 2 MB.
// Usage: bench_checks [directory for the scratch files, default /tmp]; with BENCH_KEEP set
// the recordings and their reports (.html) are kept there.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchDrive.h"
#include "checks/Checks.h"
#include "analysis/RecordingLoader.h"
#include "report/ReportModel.h"
#include "tools/ecusim/EngineFaults.h"

namespace {

using bench::Timed;

constexpr double kChecksGoalMs = 50;
constexpr double kReportGoalMs = 1000;
constexpr double kHtmlGoalBytes = 2e6;

const char* goal(bool met) {
    return met ? "goal met" : "GOAL MISSED";
}

void run(const std::string& name, const std::string& path, ecusim::EngineFaults faults,
         int hours = 1) {
    bench::DriveShape shape;
    shape.polls = bench::kHourPolls * hours;
    shape.faults = faults;
    const std::vector<uint8_t> bytes = bench::MakeDriveRecording(shape);
    const bool written = bench::WriteFile(path, bytes);
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
    const auto all = Timed(5, [&] { results = checks::RunChecks(checks::RecordingCheckData(r)); });
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
    const auto made = Timed(3, [&] {
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
