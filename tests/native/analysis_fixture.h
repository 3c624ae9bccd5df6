#pragma once
// Recordings built byte by byte for the analysis tests: a header of a family,
// polls with replies whose channel bytes are set by mnemonic, failed polls,
// events and markers; loaded the way the window loads a file.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ecu/DecodeTables.h"
#include "record/RecordFormat.h"
#include "analysis/AnalysisChannels.h"
#include "analysis/RecordingLoader.h"

namespace analysis_test {

using Reply = std::array<uint8_t, kGoodReplySize>;

// A reply with the echo and frame start, everything else 0.
inline Reply BlankReply() {
    Reply r{};
    r[0] = 0xF4, r[1] = 0x56, r[2] = 0x01, r[3] = 0xB5, r[4] = 0xF4;
    return r;
}

// Sets the byte a channel is read from; for a yes/no channel, its bit.
inline void SetChannel(Reply& reply, int family, const std::string& mnemonic, int value) {
    const int k = analysis::FindChannel(family, mnemonic);
    const decode::ChannelRule& row = decode::familyLayout(family)->rows[k];
    if (row.rule == decode::Rule::YesNo || row.rule == decode::Rule::NoYes) {
        const bool set = (value != 0) == (row.rule == decode::Rule::YesNo);
        reply[row.byte] = static_cast<uint8_t>(set ? reply[row.byte] | (1 << row.other)
                                                   : reply[row.byte] & ~(1 << row.other));
    } else {
        reply[row.byte] = static_cast<uint8_t>(value);
    }
}

class RecordingBytes {
  public:
    explicit RecordingBytes(int family, const std::string& start = "2026-12-09T21:44:48.250+03:00")
        : bytes_(std::begin(recfile::kSignature), std::end(recfile::kSignature)) {
        segment(0, family, start);
    }
    void segment(uint32_t t, int family, const std::string& start) {
        recfile::Record h;
        h.type = recfile::RecordType::SegmentHeader;
        h.timeMs = t;
        h.header.programVersion = "test";
        h.header.startDateTime = start;
        h.header.car = "NEXIA";
        h.header.engine = "1.5 SOHC";
        h.header.family = family;
        recfile::EncodeRecord(h, bytes_);
    }
    void poll(uint32_t t, const Reply& reply) {
        recfile::Record p;
        p.type = recfile::RecordType::Poll;
        p.timeMs = t;
        p.outcome = PollOutcome::GoodReply;
        p.received = kGoodReplySize;
        p.hasReply = true;
        p.reply = reply;
        recfile::EncodeRecord(p, bytes_);
    }
    void failedPoll(uint32_t t, PollOutcome outcome = PollOutcome::NoAnswer) {
        recfile::Record p;
        p.type = recfile::RecordType::Poll;
        p.timeMs = t;
        p.outcome = outcome;
        p.received = 4;
        recfile::EncodeRecord(p, bytes_);
    }
    void event(recfile::RecordType type, uint32_t t, int number = 0, const std::string& text = "") {
        recfile::Record e;
        e.type = type;
        e.timeMs = t;
        e.number = number;
        e.text = text;
        recfile::EncodeRecord(e, bytes_);
    }
    void marker(uint32_t t, int number, const std::string& text = "") {
        event(recfile::RecordType::Marker, t, number, text);
    }
    std::vector<uint8_t>& bytes() { return bytes_; }

  private:
    std::vector<uint8_t> bytes_;
};

inline analysis::LoadResult Load(std::vector<uint8_t> bytes) {
    analysis::MemoryByteSource source(std::move(bytes));
    analysis::LoadControl control;
    return analysis::LoadRecording(source, control);
}

} // namespace analysis_test
