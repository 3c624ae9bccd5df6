#pragma once
// A recording of the simulated car, made without the program or a serial line: the
// simulator's engine (with the faults asked for) polled at a steady interval, its replies
// written as polls, commands sent at given moments recorded as confirmed; loaded the way
// the analysis window loads a file. For the checks' tests, their benchmark and the report.
#include <cstdint>
#include <vector>

#include "link/CommandFrames.h"
#include "record/RecordFormat.h"
#include "analysis/RecordingLoader.h"
#include "tools/ecusim/EcuSimulator.h"

namespace simdrive {

struct Command {
    double atSeconds;
    int slot;       // the row of the family's command table with this slot; -1: return control
    int target = 0; // an idle target's byte (x 6.25 rpm)
};

struct Drive {
    int family = 1;
    ecusim::EngineFaults faults = 0;
    double startCoolantC = 85;
    double seconds = 120;
    double every = 0.125;
    std::vector<Command> commands;
    // The engine held at holdRpm from holdFromSeconds for holdSeconds (none when 0).
    int holdRpm = 0;
    double holdFromSeconds = 0, holdSeconds = 0;
    // The adapter the header names (none when adapter is empty), and a visit after it.
    std::string adapter, adapterId;
    int latencyMs = -1;
    recfile::Visit visit;
};

inline std::vector<uint8_t> RecordDrive(const Drive& drive) {
    std::vector<uint8_t> bytes(std::begin(recfile::kSignature), std::end(recfile::kSignature));
    recfile::Record h;
    h.type = recfile::RecordType::SegmentHeader;
    h.header.programVersion = "test";
    h.header.startDateTime = "2026-12-09T21:44:48.250+03:00";
    h.header.car = "NEXIA";
    h.header.engine = "1.5 SOHC";
    h.header.family = drive.family;
    h.header.adapter = drive.adapter;
    h.header.adapterId = drive.adapterId;
    h.header.latencyMs = drive.latencyMs;
    if (!drive.visit.empty()) h.header.formatVersion = recfile::kFormatVersion;
    recfile::EncodeRecord(h, bytes);
    if (!drive.visit.empty()) {
        recfile::Record v;
        v.type = recfile::RecordType::Visit;
        v.visit = drive.visit;
        recfile::EncodeRecord(v, bytes);
    }
    ecusim::Settings settings;
    settings.family = drive.family;
    settings.engineFaults = drive.faults;
    ecusim::EcuSimulator sim(settings, 7, drive.startCoolantC);
    const CommandTable table = FamilyCommandTable(drive.family);
    std::size_t nextCommand = 0;
    for (double t = drive.every; t <= drive.seconds + 1e-9; t += drive.every) {
        if (drive.holdRpm > 0) {
            const bool holding =
                t > drive.holdFromSeconds && t <= drive.holdFromSeconds + drive.holdSeconds;
            settings.holdRpm = holding ? drive.holdRpm : 0;
            sim.apply(settings);
        }
        sim.advanceTime(drive.every);
        const uint32_t ms = static_cast<uint32_t>(t * 1000 + 0.5);
        while (nextCommand < drive.commands.size() && drive.commands[nextCommand].atSeconds <= t) {
            const Command& c = drive.commands[nextCommand++];
            const CommandFrameRow* row = &ReturnControlFrame();
            for (int k = 0; k < table.count; ++k)
                if (c.slot >= 0 && table.rows[k].slot == c.slot) row = &table.rows[k];
            const CommandFrame frame = BuildCommandFrame(*row, c.target);
            sim.receive(frame.data(), frame.size());
            recfile::Record r;
            r.type = recfile::RecordType::Command;
            r.timeMs = ms;
            r.verdict = recfile::CommandVerdict::Confirmed;
            r.frame.assign(frame.begin(), frame.end());
            recfile::EncodeRecord(r, bytes);
        }
        static const uint8_t poll[] = {0xF4, 0x56, 0x01, 0xB5};
        recfile::Record p;
        p.type = recfile::RecordType::Poll;
        p.timeMs = ms;
        std::size_t at = 0;
        for (const ecusim::Transmit& out : sim.receive(poll, 4).out)
            for (uint8_t b : out.bytes)
                if (at < p.reply.size()) p.reply[at++] = b;
        p.outcome = at == p.reply.size() ? PollOutcome::GoodReply : PollOutcome::NoAnswer;
        p.received = static_cast<uint8_t>(at);
        p.hasReply = at == p.reply.size();
        recfile::EncodeRecord(p, bytes);
    }
    return bytes;
}

inline analysis::LoadResult LoadDrive(const Drive& drive) {
    analysis::MemoryByteSource source(RecordDrive(drive));
    analysis::LoadControl control;
    return analysis::LoadRecording(source, control);
}

} // namespace simdrive
