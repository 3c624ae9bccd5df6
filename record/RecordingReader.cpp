#include "record/RecordingReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "record/RecordTexts.h"

using recfile::Record;
using recfile::RecordType;

ReadStatus RecordingReader::open(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        *this = RecordingReader();
        return status_;
    }
    uint8_t chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        *this = RecordingReader();
        return status_;
    }
    return openBytes(std::move(bytes));
}

ReadStatus RecordingReader::openBytes(std::vector<uint8_t> bytes) {
    *this = RecordingReader();
    bytes_ = std::move(bytes);
    build();
    return status_;
}

void RecordingReader::build() {
    constexpr std::size_t kSignatureSize = sizeof recfile::kSignature;
    if (bytes_.size() < kSignatureSize ||
        std::memcmp(bytes_.data(), recfile::kSignature, kSignatureSize) != 0) {
        status_ = ReadStatus::NotRecording;
        return;
    }
    // Offsets are kept in 32 bits: a recording beyond 4 GB ends there.
    const std::size_t size = std::min<std::size_t>(bytes_.size(), 0xFFFFFFFFu);
    std::size_t offset = kSignatureSize;
    uint32_t lastTime = 0;
    Record r;
    status_ = ReadStatus::Ok;
    index_.reserve(size / 80);
    polls_.reserve(size / 80);
    for (;;) {
        std::size_t next = 0;
        const recfile::FrameStatus frame =
            recfile::DecodeRecord(bytes_.data(), size, offset, r, next);
        if (frame == recfile::FrameStatus::Truncated) {
            // The end of the file, or a record the writer did not finish.
            truncatedTail_ = offset < size;
            break;
        }
        if (frame == recfile::FrameStatus::Corrupt) {
            status_ = ReadStatus::Damaged;
            break;
        }
        if (index_.empty() &&
            (frame == recfile::FrameStatus::Unknown || r.type != RecordType::SegmentHeader)) {
            status_ = ReadStatus::NotRecording;
            break;
        }
        if (frame == recfile::FrameStatus::Unknown) {
            ++skipped_; // a later version's record
            offset = next;
            continue;
        }
        if (r.type == RecordType::Visit) {
            visit_ = r.visit;
            hasVisit_ = true;
            offset = next;
            continue;
        }
        if (r.type == RecordType::SegmentHeader &&
            r.header.formatVersion > recfile::kFormatVersion) {
            status_ = index_.empty() ? ReadStatus::NewerFormat : ReadStatus::Damaged;
            break;
        }
        lastTime = std::max(lastTime, r.timeMs);
        const std::size_t i = index_.size();
        index_.push_back({static_cast<uint32_t>(offset), lastTime, r.type});
        switch (r.type) {
        case RecordType::SegmentHeader:
            segments_.push_back({r.header, i, lastTime});
            break;
        case RecordType::Poll:
            polls_.push_back(i);
            break;
        case RecordType::Marker:
            events_.push_back(i);
            markers_.push_back({r.number, lastTime, r.text, i});
            break;
        case RecordType::MarkerText:
            events_.push_back(i);
            for (MarkerInfo& m : markers_)
                if (m.number == r.number) m.text = r.text;
            break;
        default:
            events_.push_back(i);
            break;
        }
        offset = next;
    }
    validBytes_ = index_.empty() ? kSignatureSize : offset;
    if (status_ == ReadStatus::NotRecording || status_ == ReadStatus::NewerFormat) {
        index_.clear();
        segments_.clear();
        polls_.clear();
        events_.clear();
        markers_.clear();
        visit_ = recfile::Visit();
        hasVisit_ = false;
    }
}

const char* RecordingReader::message() const {
    switch (status_) {
    case ReadStatus::Ok:
        return nullptr;
    case ReadStatus::CannotOpen:
        return rectext::kCannotOpen;
    case ReadStatus::NotRecording:
        return rectext::kNotRecording;
    case ReadStatus::NewerFormat:
        return rectext::kNewerFormat;
    case ReadStatus::Damaged:
        return rectext::kDamaged;
    }
    return nullptr;
}

RecordType RecordingReader::type(std::size_t i) const {
    return index_[i].type;
}

uint32_t RecordingReader::timeMs(std::size_t i) const {
    return index_[i].timeMs;
}

bool RecordingReader::record(std::size_t i, Record& out) const {
    if (i >= index_.size()) return false;
    std::size_t next = 0;
    if (recfile::DecodeRecord(bytes_.data(), bytes_.size(), index_[i].offset, out, next) !=
        recfile::FrameStatus::Ok)
        return false;
    out.timeMs = index_[i].timeMs;
    return true;
}

std::size_t RecordingReader::segmentOf(std::size_t i) const {
    std::size_t s = 0;
    while (s + 1 < segments_.size() && segments_[s + 1].record <= i)
        ++s;
    return s;
}

std::size_t RecordingReader::seekPoll(uint32_t timeMs) const {
    if (polls_.empty()) return 0;
    const auto after =
        std::upper_bound(polls_.begin(), polls_.end(), timeMs,
                         [this](uint32_t t, std::size_t i) { return t < index_[i].timeMs; });
    return after == polls_.begin() ? 0 : static_cast<std::size_t>(after - polls_.begin()) - 1;
}

std::size_t RecordingReader::seekRecord(uint32_t timeMs) const {
    const auto at = std::lower_bound(index_.begin(), index_.end(), timeMs,
                                     [](const Entry& e, uint32_t t) { return e.timeMs < t; });
    return static_cast<std::size_t>(at - index_.begin());
}
