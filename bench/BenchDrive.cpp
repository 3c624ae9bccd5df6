#include "bench/BenchDrive.h"

#include <cstdio>
#include <random>

#include "record/RecordFormat.h"
#include "tools/ecusim/EngineModel.h"
#include "tools/ecusim/ReplyLayout.h"

namespace bench {
namespace {

using recfile::Record;
using recfile::RecordType;

constexpr uint32_t kStopCycleMs = 1200000;   // the link is stopped every 20 minutes
constexpr uint32_t kStoppedFromMs = 1190000; // for the last 10 s of each
constexpr int kMarkerEveryPolls = 2500;      // 5 minutes

void add(std::vector<uint8_t>& bytes, RecordType type, uint32_t t, int number = 0,
         const std::string& text = std::string()) {
    Record r;
    r.type = type;
    r.timeMs = t;
    r.number = number;
    r.text = text;
    recfile::EncodeRecord(r, bytes);
}

} // namespace

std::vector<uint8_t> MakeDriveRecording(const DriveShape& shape) {
    std::vector<uint8_t> bytes(std::begin(recfile::kSignature), std::end(recfile::kSignature));
    Record h;
    h.type = RecordType::SegmentHeader;
    h.header.programVersion = "bench";
    h.header.startDateTime = shape.startDateTime;
    h.header.car = "NEXIA";
    h.header.engine = "1.5 SOHC";
    h.header.family = kFamily;
    h.header.port = "COM1";
    h.header.baud = 8192;
    recfile::EncodeRecord(h, bytes);
    add(bytes, RecordType::LinkStart, 0);
    ecusim::EngineModel engine(11, 20);
    engine.setFaults(shape.faults);
    ecusim::EcuIdentity ecu;
    std::mt19937 random(5);
    std::array<uint8_t, kGoodReplySize> reply{};
    int marker = 0;
    for (int i = 0; i < shape.polls; ++i) {
        const uint32_t t = static_cast<uint32_t>(i) * kPollMs;
        engine.advance(kPollMs / 1000.0);
        if (shape.drifting) {
            for (int b = 4; b < kGoodReplySize; ++b)
                if (random() % 8 == 0)
                    reply[b] = static_cast<uint8_t>(reply[b] + int(random() % 5) - 2);
        } else {
            reply = ecusim::buildPollReply(kFamily, engine.state(), ecu);
        }
        const uint32_t inCycle = t % kStopCycleMs;
        if (inCycle >= kStoppedFromMs) continue;
        if (inCycle < kPollMs && t > 0) add(bytes, RecordType::LinkStart, t);
        Record p;
        p.type = RecordType::Poll;
        p.timeMs = t;
        p.hasReply = random() % 100 != 0;
        p.outcome = p.hasReply ? PollOutcome::GoodReply : PollOutcome::NoAnswer;
        p.received = p.hasReply ? kGoodReplySize : 4;
        p.reply = reply;
        recfile::EncodeRecord(p, bytes);
        if (inCycle + kPollMs >= kStoppedFromMs && inCycle < kStoppedFromMs)
            add(bytes, RecordType::LinkStop, t + 1);
        if (i % kMarkerEveryPolls == kMarkerEveryPolls / 2)
            add(bytes, RecordType::Marker, t + 1, ++marker, "метка");
    }
    return bytes;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace bench
