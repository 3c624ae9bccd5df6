// Writes a recording of the simulated engine without the program or a serial
// line, and the log of the frames it put in it, for the replay tests:
//   recgen OUT.mrec FRAMES.txt [seconds] [family]
// Polls every 125 ms from a warm engine; no answer from 12 s to 14 s; marker 1
// ("холостой ход") at 5 s, trouble code 1.3 from 8 s with its marker, marker 3
// at 15 s. FRAMES.txt: one line per poll, "<ms> <outcome> <68 bytes in hex or ->".
#include <cstdio>
#include <cstdlib>
#include <string>

#include "record/RecordFile.h"
#include "record/RecordingWriter.h"
#include "tools/ecusim/EngineModel.h"
#include "tools/ecusim/ReplyLayout.h"

using recfile::Record;
using recfile::RecordType;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: recgen OUT.mrec FRAMES.txt [seconds] [family]\n");
        return 2;
    }
    const int seconds = argc > 3 ? std::atoi(argv[3]) : 30;
    const int family = argc > 4 ? std::atoi(argv[4]) : 1;
    StdioRecordFile file;
    RecordingWriter writer(file);
    recfile::RecordingHeader header;
    header.programVersion = "recgen";
    header.startDateTime = "2026-12-09T21:44:48.250+03:00";
    header.car = "ESPERO";
    header.engine = "1.5 MPFI DOHC до 92г.";
    header.family = family;
    header.port = "COM1";
    header.baud = 8192;
    if (writer.begin(argv[1], header, 0) != FileError::None) {
        std::fprintf(stderr, "recgen: cannot create %s\n", argv[1]);
        return 1;
    }
    std::FILE* frames = std::fopen(argv[2], "w");
    if (!frames) {
        std::fprintf(stderr, "recgen: cannot create %s\n", argv[2]);
        return 1;
    }
    ecusim::EngineModel engine(7, 85);
    engine.advance(30); // running, warm
    ecusim::EcuIdentity ecu;
    auto event = [&](uint32_t t, RecordType type, int number, const std::string& text) {
        Record r;
        r.type = type;
        r.timeMs = t;
        r.number = number;
        r.text = text;
        if (type == RecordType::CodeAppeared) {
            r.errorByte = 1;
            r.bit = 3;
        }
        writer.write(r, 0);
    };
    event(0, RecordType::LinkStart, 0, "");
    for (uint32_t t = 0; t <= static_cast<uint32_t>(seconds) * 1000; t += 125) {
        engine.advance(0.125);
        if (t == 8000) ecu.codes[0] = 0x08;
        const bool answered = t < 12000 || t >= 14000;
        if (answered) {
            const ecusim::PollReply reply = ecusim::buildPollReply(family, engine.state(), ecu);
            writer.poll(t, PollOutcome::GoodReply, kGoodReplySize, reply.data(), 0);
            std::fprintf(frames, "%u 0 ", t);
            for (uint8_t b : reply)
                std::fprintf(frames, "%02X", b);
            std::fprintf(frames, "\n");
        } else {
            writer.poll(t, PollOutcome::NoAnswer, 4, nullptr, 0);
            std::fprintf(frames, "%u 1 -\n", t);
        }
        if (t == 5000) event(t + 10, RecordType::Marker, 1, "холостой ход");
        if (t == 8000) {
            event(t + 5, RecordType::CodeAppeared, 0, "");
            event(t + 5, RecordType::Marker, 2, "появился код 1.3");
        }
        if (t == 15000) event(t + 10, RecordType::Marker, 3, "");
    }
    std::fclose(frames);
    if (writer.finish(0) != FileError::None) {
        std::fprintf(stderr, "recgen: writing %s failed\n", argv[1]);
        return 1;
    }
    return 0;
}
