// Seeking in a one-hour recording as the replay window does it (30 000 polls of
// ECU family 4, one every 120 ms, 1 in 100 without an answer): the reply at the
// cursor shown and the charts refilled with the 22.5 s before it. Prints the
// time to open the session and the median and worst seek over 200 places.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "replay/ReplaySession.h"
#include "platform/MemoryRegistry.h"
#include "record/RecordFormat.h"
#include "settings/SelectionView.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPolls = 30000;
constexpr int kPollMs = 120;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class SteadyClock : public ReplayClock {
  public:
    int64_t nowUs() const override {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   Clock::now().time_since_epoch())
            .count();
    }
};

class NoRepaints : public RepaintRequests {
  public:
    void requestPanelRepaint(int) override {}
};

std::vector<uint8_t> HourRecording() {
    std::vector<uint8_t> bytes(std::begin(recfile::kSignature), std::end(recfile::kSignature));
    recfile::Record r;
    r.type = recfile::RecordType::SegmentHeader;
    r.header.startDateTime = "2026-12-09T12:00:00.000+03:00";
    r.header.car = "NEXIA";
    r.header.engine = "1.5 SOHC";
    r.header.family = 4;
    recfile::EncodeRecord(r, bytes);
    std::mt19937 random(7);
    std::array<uint8_t, kGoodReplySize> reply{};
    for (int i = 0; i < kPolls; ++i) {
        recfile::Record p;
        p.type = recfile::RecordType::Poll;
        p.timeMs = static_cast<uint32_t>(i * kPollMs);
        for (int b = 4; b < kGoodReplySize; ++b)
            if (random() % 8 == 0)
                reply[b] = static_cast<uint8_t>(reply[b] + int(random() % 5) - 2);
        p.hasReply = random() % 100 != 0;
        p.outcome = p.hasReply ? PollOutcome::GoodReply : PollOutcome::NoAnswer;
        p.received = p.hasReply ? kGoodReplySize : 4;
        p.reply = reply;
        recfile::EncodeRecord(p, bytes);
    }
    return bytes;
}

} // namespace

int main() {
    const std::vector<uint8_t> bytes = HourRecording();
    auto state = std::make_unique<MainState>();
    NoLinkEvents events;
    NoSelectionView view;
    NoRepaints repaints;
    MemoryRegistry registry;
    SteadyClock clock;

    const auto opening = Clock::now();
    auto reader = std::make_unique<RecordingReader>();
    reader->openBytes(bytes);
    ReplaySession session(std::move(reader), clock, *state, events, view, repaints, registry,
                          UserVehicle{});
    session.player().start(session);
    const double openMs = msSince(opening);

    std::mt19937 random(11);
    std::vector<double> seeks;
    for (int i = 0; i < 200; ++i) {
        const uint32_t at = random() % static_cast<uint32_t>(kPolls * kPollMs);
        const auto start = Clock::now();
        session.player().seek(at, session);
        seeks.push_back(msSince(start));
    }
    std::sort(seeks.begin(), seeks.end());
    std::printf("one-hour recording, %d polls of family 4 (%.1f MB)\n", kPolls, bytes.size() / 1e6);
    std::printf("open and show the first poll: %.1f ms\n", openMs);
    std::printf("seek with the charts refilled: median %.2f ms, worst %.2f ms (200 places)\n",
                seeks[seeks.size() / 2], seeks.back());
    return 0;
}
