#pragma once
// The recording file, version 2 (docs/recording-format.md describes it for other
// tools): an 8-byte signature, then records, each framed as
//   0xA5, type (1 byte), payload length (2 bytes LE), payload, CRC-32 (4 bytes LE)
// with the CRC taken over type, length and payload. Times are milliseconds
// since the start of the recording (4 bytes LE). A segment header opens the
// file and every later segment. A well-framed record of a type this program does
// not know is skipped, not taken for damage.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/JudgedReply.h"

namespace recfile {

// The latest version this program reads and writes; a file without Visit records
// says version 1 and is what the first version wrote.
constexpr int kFormatVersion = 2;
constexpr int kPlainFormatVersion = 1;
constexpr uint8_t kSignature[8] = {'M', 'S', 'K', 'R', 'E', 'C', '\r', '\n'};
constexpr uint8_t kSync = 0xA5;
constexpr std::size_t kFrameOverhead = 8; // sync, type, length (2), CRC (4)
constexpr std::size_t kMaxPayload = 65535;
constexpr std::size_t kMaxText = 200; // marker texts are cut to this many bytes
constexpr std::size_t kMaxCommandFrame = 64;

enum class RecordType : uint8_t {
    SegmentHeader = 1, // time, then UTF-8 "key=value\n" lines
    Poll = 2,          // time, outcome, bytes received, the 68 bytes of a good reply
    LinkStart = 3,     // START pressed
    LinkStop = 4,      // STOP pressed
    RecordStart = 5,   // the user started recording (the minutes before come first)
    Command = 6,       // time, verdict, the command frame
    CodeAppeared = 7,  // time, error byte (1..4), bit (0..7)
    CodeGone = 8,      // time, error byte, bit
    ClearCodes = 9,    // the clear-codes request was sent
    Marker = 10,       // time, number (2 bytes LE), text
    MarkerText = 11,   // time, number, the text given to an earlier marker
    Visit = 12,        // time, the vehicle and visit (Visit below); the last one wins
};

// The vehicle and the visit as the technician typed them, UTF-8. Each text is
// cut to its limit (bytes, never inside a character) when written.
constexpr uint32_t kNoOdometer = 0xFFFFFFFFu;
constexpr uint32_t kMaxOdometerKm = 9999999;
constexpr std::size_t kMaxPlate = 32;       // 16 Cyrillic letters and digits
constexpr std::size_t kMaxVin = 32;         // 17 characters, with room for a mistyped one
constexpr std::size_t kMaxComplaint = 1000; // about 500 Cyrillic letters
constexpr std::size_t kMaxWorkDone = 2000;

struct Visit {
    std::string plate;
    std::string vin;
    uint32_t odometerKm = kNoOdometer;
    std::string complaint; // may hold line breaks ("\n")
    std::string workDone;
    bool empty() const {
        return plate.empty() && vin.empty() && odometerKm == kNoOdometer && complaint.empty() &&
               workDone.empty();
    }
    bool operator==(const Visit& o) const {
        return plate == o.plate && vin == o.vin && odometerKm == o.odometerKm &&
               complaint == o.complaint && workDone == o.workDone;
    }
    bool operator!=(const Visit& o) const { return !(*this == o); }
};

enum class CommandVerdict : uint8_t { Sent = 0, Confirmed = 1, Rejected = 2 };

// What a segment header says. Keys in the file: format, program, start, car,
// engine, family, port, baud, and where the recording knew them adapter,
// adapter_id, latency. Unknown keys are skipped when read.
struct RecordingHeader {
    int formatVersion = kPlainFormatVersion;
    std::string programVersion;
    std::string startDateTime; // ISO 8601 with the UTC offset, of this segment's time
    std::string car;
    std::string engine;
    int family = 0;
    std::string port;
    int baud = 0;
    // The USB adapter behind the port as Windows knew it at the start: its chip
    // ("FTDI", "CH340", "PL2303", "CP210x", "unknown"; empty: not asked), its
    // hardware id, an FTDI driver's latency timer (-1: unknown).
    std::string adapter;
    std::string adapterId;
    int latencyMs = -1;
};

struct Record {
    RecordType type = RecordType::Poll;
    uint32_t timeMs = 0;
    // Poll
    PollOutcome outcome = PollOutcome::NotPolled;
    uint8_t received = 0;
    bool hasReply = false;
    std::array<uint8_t, kGoodReplySize> reply{};
    // CodeAppeared / CodeGone: errorByte, bit; Marker / MarkerText: number, text
    int errorByte = 0;
    int bit = 0;
    int number = 0;
    std::string text;
    // Command
    CommandVerdict verdict = CommandVerdict::Sent;
    std::vector<uint8_t> frame;
    // SegmentHeader
    RecordingHeader header;
    // Visit
    Visit visit;
};

bool IsEvent(RecordType type); // anything but a header, a poll and a visit

// Appends the framed record to out.
void EncodeRecord(const Record& record, std::vector<uint8_t>& out);

// Unknown: frame and CRC are good, the type is none this program knows (a later
// version's); the record is to be skipped.
enum class FrameStatus { Ok, Truncated, Corrupt, Unknown };

// Reads the record framed at data[offset] into a fresh out; on Ok and Unknown,
// next is the offset after it.
FrameStatus DecodeRecord(const uint8_t* data, std::size_t size, std::size_t offset, Record& out,
                         std::size_t& next);

} // namespace recfile
