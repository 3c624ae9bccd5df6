#include "record/SameVehicle.h"

#include <algorithm>
#include <cstring>

#include "record/IsoTime.h"
#include "record/VisitFields.h"

using recfile::FrameStatus;
using recfile::Record;
using recfile::RecordType;

namespace {

constexpr std::size_t kSignatureSize = sizeof recfile::kSignature;

// Reads records from offset on while they decode; the last visit among them into
// visit, the first record into first. The number of records read (skipped ones too).
std::size_t readChain(const std::vector<uint8_t>& bytes, std::size_t offset, Record* first,
                      recfile::Visit& visit, bool& hasVisit, std::size_t& end) {
    std::size_t count = 0;
    Record r;
    for (;;) {
        std::size_t next = 0;
        const FrameStatus status =
            recfile::DecodeRecord(bytes.data(), bytes.size(), offset, r, next);
        if (status != FrameStatus::Ok && status != FrameStatus::Unknown) break;
        if (status == FrameStatus::Ok) {
            if (count == 0 && first) *first = r;
            if (r.type == RecordType::Visit) {
                visit = r.visit;
                hasVisit = true;
            }
        }
        ++count;
        offset = next;
    }
    end = offset;
    return count;
}

// The tail starts amid a record: the first sync byte from which whole records run
// on to the end of the bytes (the last may be cut short) is a record's start.
void readTail(const std::vector<uint8_t>& tail, recfile::Visit& visit, bool& hasVisit) {
    for (std::size_t at = 0; at < tail.size(); ++at) {
        if (tail[at] != recfile::kSync) continue;
        recfile::Visit found;
        bool any = false;
        std::size_t end = 0;
        if (readChain(tail, at, nullptr, found, any, end) == 0) continue;
        Record ignored;
        std::size_t next = 0;
        if (end < tail.size() && recfile::DecodeRecord(tail.data(), tail.size(), end, ignored,
                                                       next) != FrameStatus::Truncated)
            continue; // records that stop short of the end: not the file's own frames
        if (any) {
            visit = found;
            hasVisit = true;
        }
        return;
    }
}

// The same file, whatever the case and the separators.
bool samePath(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i] == '/' ? '\\' : a[i], y = b[i] == '/' ? '\\' : b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

} // namespace

bool ReadVehicleOfRecording(RecordingFolder& disk, const std::string& path, VehicleRecording& out) {
    std::vector<uint8_t> head;
    uint64_t size = 0;
    if (!disk.readPart(path, 0, kVisitHeadBytes, head, size)) return false;
    if (head.size() < kSignatureSize ||
        std::memcmp(head.data(), recfile::kSignature, kSignatureSize) != 0)
        return false;
    Record first;
    recfile::Visit visit;
    bool hasVisit = false;
    std::size_t end = 0;
    if (readChain(head, kSignatureSize, &first, visit, hasVisit, end) == 0 ||
        first.type != RecordType::SegmentHeader ||
        first.header.formatVersion > recfile::kFormatVersion)
        return false;
    if (size > kVisitHeadBytes) {
        std::vector<uint8_t> tail;
        const uint64_t from = std::max<uint64_t>(kVisitHeadBytes, size - kVisitTailBytes);
        if (disk.readPart(path, from, kVisitTailBytes, tail, size)) readTail(tail, visit, hasVisit);
    }
    if (!hasVisit) return false;
    out = VehicleRecording();
    out.path = path;
    out.start = first.header.startDateTime;
    LocalTime start;
    if (ParseIso(out.start, start)) out.date = DateMinuteText(start);
    out.car = first.header.car;
    out.engine = first.header.engine;
    out.visit = visit;
    return true;
}

std::vector<VehicleRecording>
SameVehicleRecordings(RecordingFolder& disk, const std::string& folder, const std::string& plate,
                      const std::string& vin, const std::string& excludePath) {
    const std::string plateKey = PlateKey(plate), vinKey = VinKey(vin);
    std::vector<VehicleRecording> found;
    if (plateKey.empty() && vinKey.empty()) return found;
    for (const std::string& path : disk.recordings(folder)) {
        if (samePath(path, excludePath)) continue;
        VehicleRecording r;
        if (!ReadVehicleOfRecording(disk, path, r)) continue;
        if ((!plateKey.empty() && PlateKey(r.visit.plate) == plateKey) ||
            (!vinKey.empty() && VinKey(r.visit.vin) == vinKey))
            found.push_back(std::move(r));
    }
    // Newest first: by the moment each started; those without a start last.
    auto instant = [](const VehicleRecording& r) {
        LocalTime t;
        return ParseIso(r.start, t) ? t.localMs - int64_t(t.offsetMinutes) * 60000 : INT64_MIN;
    };
    std::stable_sort(found.begin(), found.end(),
                     [&](const VehicleRecording& a, const VehicleRecording& b) {
                         const int64_t x = instant(a), y = instant(b);
                         return x != y ? x > y : a.path < b.path;
                     });
    return found;
}
