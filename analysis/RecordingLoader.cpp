#include "analysis/RecordingLoader.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <new>

#include "ecu/DecodeTables.h"
#include "record/RecordFormat.h"
#include "record/RecordTexts.h"
#include "analysis/AnalysisTexts.h"

namespace analysis {
namespace {

constexpr std::size_t kChunk = std::size_t(1) << 20;
constexpr float kReadShare = 0.2f; // of the progress bar: reading; the rest decoding
constexpr int kFamilyWithoutDecoder = 5;

LoadResult refused(const std::string& message) {
    LoadResult r;
    r.status = LoadStatus::Refused;
    r.message = message;
    return r;
}

LoadResult cancelled() {
    LoadResult r;
    r.status = LoadStatus::Cancelled;
    r.message = analysistext::kCancelled;
    return r;
}

void addSentence(std::string& text, const char* sentence) {
    if (!sentence || !*sentence) return;
    if (!text.empty()) text += ' ';
    text += sentence;
}

// The polls whose records lie in [fromRecord, toRecord).
std::size_t pollsOfRecords(const RecordingReader& reader, std::size_t fromRecord,
                           std::size_t toRecord) {
    auto firstAtOrAfter = [&](std::size_t record) {
        std::size_t lo = 0, hi = reader.pollCount();
        while (lo < hi) {
            const std::size_t mid = (lo + hi) / 2;
            if (reader.pollRecord(mid) < record)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    };
    return firstAtOrAfter(toRecord) - firstAtOrAfter(fromRecord);
}

bool anySegmentOfFamily(const RecordingReader& reader, int family) {
    for (const SegmentInfo& s : reader.segments())
        if (s.header.family == family) return true;
    return false;
}

} // namespace

StdioByteSource::StdioByteSource(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}

StdioByteSource::~StdioByteSource() {
    if (file_) std::fclose(file_);
}

int64_t StdioByteSource::size() {
    if (!file_ || std::fseek(file_, 0, SEEK_END) != 0) return -1;
    const long end = std::ftell(file_);
    std::rewind(file_);
    return end < 0 ? -1 : int64_t(end);
}

std::size_t StdioByteSource::read(uint8_t* into, std::size_t n, bool& failed) {
    if (!file_) {
        failed = true;
        return 0;
    }
    const std::size_t got = std::fread(into, 1, n, file_);
    if (got < n && std::ferror(file_)) failed = true;
    return got;
}

std::size_t MemoryByteSource::read(uint8_t* into, std::size_t n, bool&) {
    const std::size_t got = std::min(n, bytes_.size() - at_);
    if (got == 0) return 0;
    std::memcpy(into, bytes_.data() + at_, got);
    at_ += got;
    return got;
}

int AnalysedFamily(const RecordingReader& reader) {
    std::map<int, std::size_t> polls; // family -> polls
    const std::vector<SegmentInfo>& segments = reader.segments();
    for (std::size_t s = 0; s < segments.size(); ++s) {
        const int family = segments[s].header.family;
        if (!decode::familyLayout(family)) continue;
        const std::size_t end =
            s + 1 < segments.size() ? segments[s + 1].record : reader.recordCount();
        polls[family] += pollsOfRecords(reader, segments[s].record, end);
    }
    int best = 0;
    std::size_t most = 0;
    for (const auto& [family, count] : polls)
        if (best == 0 || count > most) best = family, most = count;
    return best;
}

LoadResult LoadRecording(ByteSource& source, LoadControl& control) {
    try {
        control.report(0);
        const int64_t size = source.size();
        std::vector<uint8_t> bytes(sizeof recfile::kSignature);
        bool failed = false;
        std::size_t have = 0;
        while (have < bytes.size()) {
            const std::size_t got = source.read(bytes.data() + have, bytes.size() - have, failed);
            if (got == 0) break;
            have += got;
        }
        if (failed) return refused(analysistext::kCannotRead);
        if (have < bytes.size() ||
            std::memcmp(bytes.data(), recfile::kSignature, sizeof recfile::kSignature) != 0)
            return refused(rectext::kNotRecording);

        // The rest, up to the limit, a piece at a time.
        const std::size_t expected =
            size > 0 ? std::min<std::size_t>(std::size_t(size), kMaxAnalysedBytes) : 0;
        bytes.reserve(expected);
        bool cut = false;
        while (!failed) {
            if (control.cancelled()) return cancelled();
            const std::size_t room = kMaxAnalysedBytes - bytes.size();
            if (room == 0) {
                uint8_t probe = 0;
                cut = source.read(&probe, 1, failed) > 0;
                break;
            }
            const std::size_t at = bytes.size();
            bytes.resize(at + std::min(kChunk, room));
            const std::size_t got = source.read(bytes.data() + at, bytes.size() - at, failed);
            bytes.resize(at + got);
            if (got == 0) break;
            if (expected > 0)
                control.report(kReadShare * std::min(1.0f, float(bytes.size()) / float(expected)));
        }
        if (failed) return refused(analysistext::kCannotRead);
        control.report(kReadShare);

        RecordingReader reader;
        const ReadStatus status = reader.openBytes(std::move(bytes));
        if (status == ReadStatus::NotRecording || status == ReadStatus::NewerFormat ||
            status == ReadStatus::CannotOpen)
            return refused(reader.message());
        std::string notice;
        addSentence(notice, reader.message()); // damaged: the readable part follows
        // Damage before the limit is what the user needs to know; the cut says
        // nothing about a file whose readable part ends before it.
        if (cut && status == ReadStatus::Ok) addSentence(notice, analysistext::kTooLong);
        if (reader.pollCount() == 0) {
            std::string why = notice;
            addSentence(why, rectext::kEmpty);
            return refused(why);
        }
        const int family = AnalysedFamily(reader);
        if (family == 0) {
            std::string why = notice;
            addSentence(why, anySegmentOfFamily(reader, kFamilyWithoutDecoder)
                                 ? analysistext::kNoDecoderFamily5
                                 : analysistext::kNoDecoderFamily);
            return refused(why);
        }
        std::unique_ptr<AnalysedRecording> recording =
            AnalysedRecording::decode(std::move(reader), family, &control, kReadShare, 1.0f);
        if (!recording) return cancelled();
        if (recording->goodPollCount() == 0) {
            std::string why = notice;
            addSentence(why, analysistext::kNoGoodPoll);
            return refused(why);
        }
        if (recording->hasOtherFamily()) addSentence(notice, analysistext::kOtherFamilyParts);
        control.report(1.0f);
        LoadResult r;
        r.status = LoadStatus::Ready;
        r.recording = std::move(recording);
        r.message = notice;
        return r;
    } catch (const std::bad_alloc&) {
        return refused(analysistext::kOutOfMemory);
    }
}

LoadResult LoadRecordingFile(const std::string& path, LoadControl& control) {
    StdioByteSource source(path);
    if (!source.isOpen()) return refused(rectext::kCannotOpen);
    return LoadRecording(source, control);
}

} // namespace analysis
