// Prints what a recording holds, one "key value" line each, for scripts and
// for a quick look: recinfo FILE.mrec
// The visit's fields come one a line (visit_plate ...), line breaks in a text as "\n".
// With --polls it prints every poll instead, one line each, in file order:
//   poll <n> <time_ms> <outcome> <68 reply bytes in hex, or ->
// n counts from 1; outcome is good, no-answer, wrong-echo, link-broken or not-polled;
// the bytes are there whenever the record carries a reply (a link-broken poll may).
// Exit code: 0 when the recording opened (a cut-off last record is fine),
// 1 when it is damaged (what was read before the damage is still counted),
// 2 when it cannot be read at all.
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "record/RecordingReader.h"

namespace {

const char* StatusName(ReadStatus status) {
    switch (status) {
    case ReadStatus::Ok:
        return "ok";
    case ReadStatus::CannotOpen:
        return "cannot-open";
    case ReadStatus::NotRecording:
        return "not-recording";
    case ReadStatus::NewerFormat:
        return "newer-format";
    case ReadStatus::Damaged:
        return "damaged";
    }
    return "?";
}

const char* OutcomeName(PollOutcome outcome) {
    switch (outcome) {
    case PollOutcome::GoodReply:
        return "good";
    case PollOutcome::NoAnswer:
        return "no-answer";
    case PollOutcome::WrongEcho:
        return "wrong-echo";
    case PollOutcome::LinkBroken:
        return "link-broken";
    case PollOutcome::NotPolled:
        return "not-polled";
    }
    return "?";
}

// A text on one line: a backslash as "\\", a line break as "\n".
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text)
        line += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : std::string(1, c);
    return line;
}

void PrintPolls(const RecordingReader& reader) {
    recfile::Record r;
    for (std::size_t k = 0; k < reader.pollCount(); ++k) {
        if (!reader.record(reader.pollRecord(k), r)) continue;
        std::printf("poll %zu %u %s", k + 1, static_cast<unsigned>(r.timeMs),
                    OutcomeName(r.outcome));
        if (r.hasReply) {
            std::putchar(' ');
            for (std::size_t i = 0; i < r.reply.size(); ++i)
                std::printf(i ? " %02X" : "%02X", r.reply[i]);
        } else {
            std::fputs(" -", stdout);
        }
        std::putchar('\n');
    }
}

} // namespace

int main(int argc, char** argv) {
    const bool polls = argc == 3 && std::strcmp(argv[1], "--polls") == 0;
    if (argc != 2 && !polls) {
        std::fprintf(stderr,
                     "usage: recinfo [--polls] FILE.mrec\n"
                     "  --polls   every poll: poll <n> <time_ms> <outcome> <68 bytes hex|->\n");
        return 2;
    }
    RecordingReader reader;
    const ReadStatus status = reader.open(argv[argc - 1]);
    if (polls) {
        if (status != ReadStatus::Ok && status != ReadStatus::Damaged) {
            std::fprintf(stderr, "recinfo: %s\n", StatusName(status));
            return 2;
        }
        PrintPolls(reader);
        return status == ReadStatus::Ok ? 0 : 1;
    }
    std::printf("status %s\n", StatusName(status));
    if (status != ReadStatus::Ok && status != ReadStatus::Damaged) return 2;
    std::printf("truncated %d\n", reader.truncatedTail() ? 1 : 0);
    std::printf("bytes %zu\n", reader.validBytes());
    std::printf("duration_ms %u\n", static_cast<unsigned>(reader.durationMs()));

    for (std::size_t s = 0; s < reader.segments().size(); ++s) {
        const recfile::RecordingHeader& h = reader.segments()[s].header;
        const std::string latency = h.latencyMs >= 0 ? std::to_string(h.latencyMs) : "";
        std::printf("segment %zu at_ms=%u family=%d start=%s car=%s engine=%s port=%s baud=%d "
                    "program=%s adapter=%s latency=%s\n",
                    s + 1, static_cast<unsigned>(reader.segments()[s].timeMs), h.family,
                    h.startDateTime.c_str(), h.car.c_str(), h.engine.c_str(), h.port.c_str(),
                    h.baud, h.programVersion.c_str(), h.adapter.c_str(), latency.c_str());
    }
    std::printf("skipped %zu\n", reader.skippedRecords());
    if (reader.hasVisit()) {
        const recfile::Visit& v = reader.visit();
        std::printf("visit_plate %s\nvisit_vin %s\n", v.plate.c_str(), v.vin.c_str());
        if (v.odometerKm == recfile::kNoOdometer)
            std::printf("visit_odometer -\n");
        else
            std::printf("visit_odometer %u\n", static_cast<unsigned>(v.odometerKm));
        std::printf("visit_complaint %s\nvisit_work %s\n", OneLine(v.complaint).c_str(),
                    OneLine(v.workDone).c_str());
    }

    int good = 0;
    std::map<int, int> outcomes;
    recfile::Record r;
    for (std::size_t k = 0; k < reader.pollCount(); ++k) {
        if (!reader.record(reader.pollRecord(k), r)) continue;
        ++outcomes[static_cast<int>(r.outcome)];
        if (r.hasReply) ++good;
    }
    std::printf("polls %zu\n", reader.pollCount());
    std::printf("good %d\n", good);
    std::printf("not_good %zu\n", reader.pollCount() - static_cast<std::size_t>(good));
    if (reader.pollCount() > 0) {
        std::printf("first_poll_ms %u\n",
                    static_cast<unsigned>(reader.timeMs(reader.pollRecord(0))));
        std::printf("last_poll_ms %u\n", static_cast<unsigned>(reader.timeMs(
                                             reader.pollRecord(reader.pollCount() - 1))));
    }

    std::map<std::string, int> counts;
    for (std::size_t i : reader.events()) {
        if (!reader.record(i, r)) continue;
        switch (r.type) {
        case recfile::RecordType::LinkStart:
            ++counts["link_start"];
            break;
        case recfile::RecordType::LinkStop:
            ++counts["link_stop"];
            break;
        case recfile::RecordType::RecordStart:
            ++counts["record_start"];
            std::printf("record_start_ms %u\n", static_cast<unsigned>(r.timeMs));
            break;
        case recfile::RecordType::Command:
            ++counts["commands"];
            ++counts[r.verdict == recfile::CommandVerdict::Confirmed  ? "commands_confirmed"
                     : r.verdict == recfile::CommandVerdict::Rejected ? "commands_rejected"
                                                                      : "commands_sent"];
            break;
        case recfile::RecordType::CodeAppeared:
            ++counts["code_appeared"];
            std::printf("code %d.%d at_ms=%u\n", r.errorByte, r.bit,
                        static_cast<unsigned>(r.timeMs));
            break;
        case recfile::RecordType::CodeGone:
            ++counts["code_gone"];
            break;
        case recfile::RecordType::ClearCodes:
            ++counts["clear_codes"];
            break;
        default:
            break;
        }
    }
    for (const char* key :
         {"record_start", "link_start", "link_stop", "commands", "commands_confirmed",
          "commands_rejected", "code_appeared", "code_gone", "clear_codes"})
        std::printf("%s %d\n", key, counts[key]);
    std::printf("markers %zu\n", reader.markers().size());
    for (const MarkerInfo& m : reader.markers())
        std::printf("marker %d at_ms=%u %s\n", m.number, static_cast<unsigned>(m.timeMs),
                    m.text.c_str());
    return status == ReadStatus::Ok ? 0 : 1;
}
