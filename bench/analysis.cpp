// The analysis window's core on recordings of one and eight hours of ECU family 4
// (about 30 000 and 240 000 polls of the simulated drive in bench/BenchDrive.h),
// and one hour in which every reply byte drifts at random (the decoder's worst
// case). Prints for each: opening (reading, decoding, the six default lanes
// decimated for a 1300-pixel plot), a redraw of the six lanes at random zooms,
// the figures of the whole recording, the fuel-trim map, a scatter, and the
// memory the columns take.
// Usage: bench_analysis [directory for the scratch files, default /tmp]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchDrive.h"
#include "analysis/FuelTrimMap.h"
#include "analysis/LaneEnvelope.h"
#include "analysis/Lanes.h"
#include "analysis/RecordingLoader.h"
#include "analysis/ScatterPlot.h"
#include "analysis/SpanStatistics.h"
#include "analysis/TimeAxis.h"

namespace {

using bench::kFamily;
using bench::Timed;

constexpr int kPlotColumns = 1300;

// What the comparison of the lengths needs.
struct Figures {
    double polls = 0, openCpu = 0, redrawCpu = 0, statsCpu = 0, trimCpu = 0, bytes = 0;
};

Figures run(const std::string& name, const std::string& path, int polls, bool drifting) {
    Figures f;
    bench::DriveShape shape;
    shape.polls = polls;
    shape.drifting = drifting;
    const std::vector<uint8_t> bytes = bench::MakeDriveRecording(shape);
    if (!bench::WriteFile(path, bytes)) {
        std::printf("cannot write %s\n", path.c_str());
        return f;
    }
    std::printf("%s: %d polls, %.1f MB\n", name.c_str(), polls, bytes.size() / 1e6);

    // Opening: the file read, every poll decoded, six lanes decimated.
    analysis::LoadResult loaded;
    std::vector<int> lanes;
    bool ok = true;
    const auto open = Timed(3, [&] {
        analysis::LoadControl control;
        loaded = analysis::LoadRecordingFile(path, control);
        if (loaded.status != analysis::LoadStatus::Ready) {
            ok = false;
            return;
        }
        lanes = analysis::DefaultLanes(loaded.recording->family());
        const auto whole = analysis::WholeRecording(*loaded.recording, kPlotColumns);
        ok = analysis::DecimateLanes(*loaded.recording, lanes, whole).size() == lanes.size();
    });
    if (!ok) {
        std::printf("  not opened: %s\n", loaded.message.c_str());
        return f;
    }
    const analysis::AnalysedRecording& r = *loaded.recording;
    std::printf("  open, six lanes drawn:    %8.1f ms (%.1f ms of processor), median of 3\n",
                open.first, open.second);

    // Redraws at random zooms and places, from the deepest zoom to the whole.
    std::mt19937 random(9);
    const double whole = r.lastMs() - r.firstMs();
    std::vector<double> walls, cpus;
    for (int i = 0; i < 300; ++i) {
        const double span = analysis::kMinViewMs *
                            std::pow(whole / analysis::kMinViewMs, (random() % 1001) / 1000.0);
        const double start = r.firstMs() + (whole - span) * ((random() % 1001) / 1000.0);
        const analysis::TimeView view{start, start + span, kPlotColumns};
        const auto t = Timed(1, [&] { ok = !analysis::DecimateLanes(r, lanes, view).empty(); });
        walls.push_back(t.first);
        cpus.push_back(t.second);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    std::printf("  redraw six lanes:         %8.2f ms median, %.2f ms at the 95th percentile "
                "(processor %.2f / %.2f ms), 300 zooms\n",
                walls[150], walls[285], cpus[150], cpus[285]);

    std::vector<int> every;
    for (int c = 0; c < r.channelCount(); ++c)
        every.push_back(c);
    const analysis::TimeSpan span = analysis::WholeSpan(r);
    const auto laneStats = Timed(5, [&] { ok = !analysis::SpanStats(r, lanes, span).empty(); });
    const auto allStats = Timed(5, [&] { ok = !analysis::SpanStats(r, every, span).empty(); });
    std::printf("  figures, whole recording: %8.2f ms six lanes, %.2f ms all %d channels "
                "(processor %.2f / %.2f ms)\n",
                laneStats.first, allStats.first, r.channelCount(), laneStats.second,
                allStats.second);

    analysis::FuelTrimMap map;
    const auto trim = Timed(5, [&] { map = analysis::BuildFuelTrimMap(r, span); });
    std::printf("  fuel-trim map:            %8.2f ms (processor %.2f ms), %zu cells, %zu of %zu "
                "polls qualify\n",
                trim.first, trim.second, map.cells.size(), map.qualifyingPolls, map.goodPolls);

    analysis::ScatterRequest q;
    q.xChannel = analysis::FindChannel(kFamily, "FREQ");
    q.yChannel = analysis::FindChannel(kFamily, "MAP");
    q.colourChannel = analysis::FindChannel(kFamily, "UO2SENS");
    q.span = span;
    q.width = 600;
    q.height = 400;
    analysis::ScatterPlot plot;
    const auto scatter = Timed(5, [&] { plot = analysis::BuildScatter(r, q); });
    std::printf("  scatter MAP/FREQ/UO2SENS: %8.2f ms (processor %.2f ms), %zu points\n",
                scatter.first, scatter.second, plot.points);
    std::printf("  memory of the columns:    %8.1f MB (%d channels, pyramids and poll tables; "
                "the file's %.1f MB kept besides)\n",
                r.bytes() / 1e6, r.channelCount(), bytes.size() / 1e6);
    f = {double(r.pollCount()), open.second, cpus[150],
         allStats.second,       trim.second, double(r.bytes())};
    if (!std::getenv("BENCH_KEEP")) std::remove(path.c_str());
    return f;
}

} // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "/tmp";
    constexpr int kHour = bench::kHourPolls;
    const Figures hour = run("1 h, engine model", dir + "/bench_analysis_1h.mrec", kHour, false);
    const Figures eight =
        run("8 h, engine model", dir + "/bench_analysis_8h.mrec", 8 * kHour, false);
    run("1 h, drifting bytes", dir + "/bench_analysis_drift.mrec", kHour, true);
    if (hour.polls > 0 && eight.polls > 0)
        std::printf("8 h against 1 h (processor time): polls x%.1f; open x%.1f, redraw x%.1f, "
                    "figures x%.1f, fuel-trim map x%.1f, memory x%.1f\n",
                    eight.polls / hour.polls, eight.openCpu / hour.openCpu,
                    eight.redrawCpu / hour.redrawCpu, eight.statsCpu / hour.statsCpu,
                    eight.trimCpu / hour.trimCpu, eight.bytes / hour.bytes);
    return 0;
}
