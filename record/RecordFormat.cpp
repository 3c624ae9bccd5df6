#include "record/RecordFormat.h"

#include <cstdlib>

#include "record/Crc32.h"

namespace recfile {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

uint32_t get16(const uint8_t* p) {
    return p[0] | (uint32_t(p[1]) << 8);
}

uint32_t get32(const uint8_t* p) {
    return get16(p) | (get16(p + 2) << 16);
}

// Cuts a UTF-8 text to at most limit bytes without splitting a character.
std::string cutText(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<uint8_t>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

// Header values are single lines: line breaks become blanks.
std::string oneLine(const std::string& text) {
    std::string line = cutText(text, kMaxText);
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    return line;
}

void putHeader(std::vector<uint8_t>& out, const RecordingHeader& h) {
    const std::string text =
        "format=" + std::to_string(h.formatVersion) + "\nprogram=" + oneLine(h.programVersion) +
        "\nstart=" + oneLine(h.startDateTime) + "\ncar=" + oneLine(h.car) +
        "\nengine=" + oneLine(h.engine) + "\nfamily=" + std::to_string(h.family) +
        "\nport=" + oneLine(h.port) + "\nbaud=" + std::to_string(h.baud) + "\n";
    out.insert(out.end(), text.begin(), text.end());
    // The adapter's keys only where the recording asked: files without them are
    // what version 1 wrote.
    std::string adapter;
    if (!h.adapter.empty()) adapter += "adapter=" + oneLine(h.adapter) + "\n";
    if (!h.adapterId.empty()) adapter += "adapter_id=" + oneLine(h.adapterId) + "\n";
    if (h.latencyMs >= 0) adapter += "latency=" + std::to_string(h.latencyMs) + "\n";
    out.insert(out.end(), adapter.begin(), adapter.end());
}

// A text with its length before it (2 bytes).
void putText(std::vector<uint8_t>& out, const std::string& text, std::size_t limit) {
    const std::string cut = cutText(text, limit);
    put16(out, static_cast<uint32_t>(cut.size()));
    out.insert(out.end(), cut.begin(), cut.end());
}

// Odometer (4 bytes), then plate, VIN, complaint and work done as texts.
void putVisit(std::vector<uint8_t>& out, const Visit& v) {
    put32(out, v.odometerKm <= kMaxOdometerKm ? v.odometerKm : kNoOdometer);
    putText(out, v.plate, kMaxPlate);
    putText(out, v.vin, kMaxVin);
    putText(out, v.complaint, kMaxComplaint);
    putText(out, v.workDone, kMaxWorkDone);
}

bool getText(const uint8_t*& p, std::size_t& n, std::string& text) {
    if (n < 2) return false;
    const std::size_t length = get16(p);
    if (n - 2 < length) return false;
    text.assign(reinterpret_cast<const char*>(p + 2), length);
    p += 2 + length;
    n -= 2 + length;
    return true;
}

// Bytes after the last field are a later version's and are let be.
bool readVisit(const uint8_t* p, std::size_t n, Visit& v) {
    if (n < 4) return false;
    v.odometerKm = get32(p);
    if (v.odometerKm > kMaxOdometerKm) v.odometerKm = kNoOdometer;
    p += 4;
    n -= 4;
    return getText(p, n, v.plate) && getText(p, n, v.vin) && getText(p, n, v.complaint) &&
           getText(p, n, v.workDone);
}

int toInt(const std::string& text) {
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

void readHeader(const uint8_t* p, std::size_t n, RecordingHeader& h) {
    const std::string text(reinterpret_cast<const char*>(p), n);
    h = RecordingHeader{};
    h.formatVersion = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "format")
            h.formatVersion = toInt(value);
        else if (key == "program")
            h.programVersion = value;
        else if (key == "start")
            h.startDateTime = value;
        else if (key == "car")
            h.car = value;
        else if (key == "engine")
            h.engine = value;
        else if (key == "family")
            h.family = toInt(value);
        else if (key == "port")
            h.port = value;
        else if (key == "baud")
            h.baud = toInt(value);
        else if (key == "adapter")
            h.adapter = value;
        else if (key == "adapter_id")
            h.adapterId = value;
        else if (key == "latency" && !value.empty())
            h.latencyMs = toInt(value);
    }
}

void putPayload(std::vector<uint8_t>& out, const Record& r) {
    put32(out, r.timeMs);
    switch (r.type) {
    case RecordType::SegmentHeader:
        putHeader(out, r.header);
        break;
    case RecordType::Poll:
        out.push_back(static_cast<uint8_t>(r.outcome));
        out.push_back(r.received);
        if (r.hasReply) out.insert(out.end(), r.reply.begin(), r.reply.end());
        break;
    case RecordType::Command: {
        out.push_back(static_cast<uint8_t>(r.verdict));
        const std::size_t n = r.frame.size() < kMaxCommandFrame ? r.frame.size() : kMaxCommandFrame;
        out.insert(out.end(), r.frame.begin(), r.frame.begin() + n);
        break;
    }
    case RecordType::CodeAppeared:
    case RecordType::CodeGone:
        out.push_back(static_cast<uint8_t>(r.errorByte));
        out.push_back(static_cast<uint8_t>(r.bit));
        break;
    case RecordType::Marker:
    case RecordType::MarkerText: {
        put16(out, static_cast<uint32_t>(r.number));
        const std::string text = cutText(r.text, kMaxText);
        out.insert(out.end(), text.begin(), text.end());
        break;
    }
    case RecordType::Visit:
        putVisit(out, r.visit);
        break;
    case RecordType::LinkStart:
    case RecordType::LinkStop:
    case RecordType::RecordStart:
    case RecordType::ClearCodes:
        break;
    }
}

// False when the payload does not fit its type.
bool readPayload(const uint8_t* p, std::size_t n, Record& r) {
    if (n < 4) return false;
    r.timeMs = get32(p);
    p += 4;
    n -= 4;
    switch (r.type) {
    case RecordType::SegmentHeader:
        readHeader(p, n, r.header);
        return r.header.formatVersion >= 1;
    case RecordType::Poll:
        if (n != 2 && n != 2 + kGoodReplySize) return false;
        if (p[0] > static_cast<uint8_t>(PollOutcome::NotPolled)) return false;
        r.outcome = static_cast<PollOutcome>(p[0]);
        r.received = p[1];
        r.hasReply = n == 2 + kGoodReplySize;
        if (r.hasReply) std::copy(p + 2, p + 2 + kGoodReplySize, r.reply.begin());
        return true;
    case RecordType::Command:
        if (n < 1 || n > 1 + kMaxCommandFrame || p[0] > 2) return false;
        r.verdict = static_cast<CommandVerdict>(p[0]);
        r.frame.assign(p + 1, p + n);
        return true;
    case RecordType::CodeAppeared:
    case RecordType::CodeGone:
        if (n != 2 || p[0] < 1 || p[0] > 4 || p[1] > 7) return false;
        r.errorByte = p[0];
        r.bit = p[1];
        return true;
    case RecordType::Marker:
    case RecordType::MarkerText:
        if (n < 2 || n > 2 + kMaxText) return false;
        r.number = static_cast<int>(get16(p));
        r.text.assign(reinterpret_cast<const char*>(p + 2), n - 2);
        return true;
    case RecordType::Visit:
        return readVisit(p, n, r.visit);
    case RecordType::LinkStart:
    case RecordType::LinkStop:
    case RecordType::RecordStart:
    case RecordType::ClearCodes:
        return n == 0;
    }
    return false;
}

bool knownType(uint8_t type) {
    return type >= static_cast<uint8_t>(RecordType::SegmentHeader) &&
           type <= static_cast<uint8_t>(RecordType::Visit);
}

} // namespace

bool IsEvent(RecordType type) {
    return type != RecordType::SegmentHeader && type != RecordType::Poll &&
           type != RecordType::Visit;
}

void EncodeRecord(const Record& record, std::vector<uint8_t>& out) {
    std::vector<uint8_t> payload;
    putPayload(payload, record);
    const std::size_t start = out.size();
    out.push_back(kSync);
    out.push_back(static_cast<uint8_t>(record.type));
    put16(out, static_cast<uint32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    put32(out, Crc32(out.data() + start + 1, out.size() - start - 1));
}

FrameStatus DecodeRecord(const uint8_t* data, std::size_t size, std::size_t offset, Record& out,
                         std::size_t& next) {
    if (offset >= size) return FrameStatus::Truncated;
    if (data[offset] != kSync) return FrameStatus::Corrupt;
    if (size - offset < 4) return FrameStatus::Truncated;
    const uint8_t* p = data + offset;
    const std::size_t length = get16(p + 2);
    if (size - offset < kFrameOverhead + length) return FrameStatus::Truncated;
    if (Crc32(p + 1, 3 + length) != get32(p + 4 + length)) return FrameStatus::Corrupt;
    if (!knownType(p[1])) {
        next = offset + kFrameOverhead + length;
        return FrameStatus::Unknown;
    }
    out = Record();
    out.type = static_cast<RecordType>(p[1]);
    if (!readPayload(p + 4, length, out)) return FrameStatus::Corrupt;
    next = offset + kFrameOverhead + length;
    return FrameStatus::Ok;
}

} // namespace recfile
