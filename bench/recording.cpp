// A one-hour recording (30 000 polls, one every 120 ms, 1 in 100 without an
// answer, a marker every 5 minutes) of ECU family 4, the widest: prints the file
// size, the time to write it, the cost of the recorder's tap on the link thread,
// the time to open it, to seek and read a poll anywhere, and to export it as CSV.
// Usage: bench_recording [directory for the scratch files, default /tmp]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "record/CsvExport.h"
#include "record/Recorder.h"
#include "record/RecordingReader.h"
#include "record/RecordingWriter.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPolls = 30000;
constexpr int kPollMs = 120;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

recfile::RecordingHeader benchHeader() {
    recfile::RecordingHeader h;
    h.programVersion = "1.0";
    h.startDateTime = "2026-12-09T12:00:00.000+03:00";
    h.car = "Nexia";
    h.engine = "1.5 SOHC";
    h.family = 4;
    h.port = "COM1";
    h.baud = 8192;
    return h;
}

// Engine-like replies: bytes drift slowly.
void nextReply(std::mt19937& random, uint8_t* buffer) {
    for (int i = 4; i < kGoodReplySize; ++i)
        if (random() % 8 == 0) buffer[i] = static_cast<uint8_t>(buffer[i] + int(random() % 5) - 2);
}

void writeRecording(const std::string& path) {
    std::remove(path.c_str());
    StdioRecordFile file;
    RecordingWriter writer(file);
    const auto start = Clock::now();
    if (writer.begin(path, benchHeader(), 0) != FileError::None) {
        std::printf("cannot create %s\n", path.c_str());
        return;
    }
    std::mt19937 random(1);
    uint8_t buffer[kReplyBufferSize] = {};
    for (int i = 0; i < kPolls; ++i) {
        const uint32_t t = static_cast<uint32_t>(i) * kPollMs;
        nextReply(random, buffer);
        const bool good = random() % 100 != 0;
        writer.poll(t, good ? PollOutcome::GoodReply : PollOutcome::NoAnswer,
                    good ? kGoodReplySize : 4, buffer, t);
        if (i % 2500 == 1250) {
            recfile::Record mark;
            mark.type = recfile::RecordType::Marker;
            mark.timeMs = t;
            mark.number = i / 2500 + 1;
            mark.text = "метка";
            writer.write(mark, t);
        }
        writer.tick(t);
    }
    writer.finish(kPolls * kPollMs);
    std::printf("write 1 h (%d polls):      %8.1f ms\n", kPolls, msSince(start));
}

// What replyJudged costs the link thread, recording into a file, with polls
// coming about 50 times faster than the link makes them.
void tapCost(const std::string& path) {
    std::remove(path.c_str());
    StdioRecordFile file;
    Recorder recorder(file, [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   Clock::now().time_since_epoch())
            .count();
    });
    LocalTime wall;
    ParseIso("2026-12-09T12:00:00.000+03:00", wall);
    recorder.start(path, benchHeader(), wall, 0);
    uint8_t buffer[kReplyBufferSize] = {};
    std::mt19937 random(2);
    double worst = 0, total = 0;
    for (int i = 0; i < kPolls; ++i) {
        nextReply(random, buffer);
        JudgedReply reply;
        reply.timeMs = int64_t(i) * kPollMs;
        reply.outcome = PollOutcome::GoodReply;
        reply.received = kGoodReplySize;
        reply.buffer = buffer;
        const auto start = Clock::now();
        recorder.replyJudged(reply);
        const double us = msSince(start) * 1000.0;
        worst = std::max(worst, us);
        total += us;
        // Polls come far faster than the link's ~8 a second, but not all at once.
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    const RecorderStop stop = recorder.stop();
    std::printf("tap on the link thread:     %8.2f us mean, %.1f us worst (%d dropped)\n",
                total / kPolls, worst, stop.dropped);
    std::remove(path.c_str());
}

} // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "/tmp";
    const std::string path = dir + "/bench_recording.mrec";
    const std::string csv = dir + "/bench_recording.csv";
    writeRecording(path);
    tapCost(dir + "/bench_recording_tap.mrec");

    std::vector<double> opens;
    RecordingReader reader;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        reader.open(path);
        opens.push_back(msSince(start));
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fclose(f);
    std::printf("file size:                  %8.2f MB (%ld bytes, %.1f bytes a poll)\n", size / 1e6,
                size, double(size) / kPolls);
    std::printf("open (median of 5):         %8.1f ms, %zu records, %zu polls, %zu markers\n",
                median(opens), reader.recordCount(), reader.pollCount(), reader.markers().size());

    std::mt19937 random(3);
    double worstSeek = 0, totalSeek = 0;
    recfile::Record record;
    for (int i = 0; i < 1000; ++i) {
        const uint32_t t = random() % (kPolls * kPollMs);
        const auto start = Clock::now();
        const std::size_t k = reader.seekPoll(t);
        reader.record(reader.pollRecord(k), record);
        const double ms = msSince(start);
        worstSeek = std::max(worstSeek, ms);
        totalSeek += ms;
    }
    std::printf("seek + read a poll:         %8.4f ms mean, %.4f ms worst of 1000\n",
                totalSeek / 1000, worstSeek);

    std::vector<double> exports;
    for (int run = 0; run < 3; ++run) {
        std::remove(csv.c_str());
        StdioRecordFile out;
        const auto start = Clock::now();
        const FileError error = ExportCsv(reader, ExcelCsv(';', ','), CsvSpan(), out, csv);
        exports.push_back(msSince(start));
        if (error != FileError::None) std::printf("CSV export failed\n");
    }
    f = std::fopen(csv.c_str(), "rb");
    std::fseek(f, 0, SEEK_END);
    const long csvSize = std::ftell(f);
    std::fclose(f);
    std::printf("CSV export (median of 3):   %8.1f ms, %.2f MB\n", median(exports), csvSize / 1e6);
    std::remove(csv.c_str());
    std::remove(path.c_str());
    return 0;
}
