#include "app/ReplaySession.h"

#include <cctype>
#include <utility>
#include <cstdio>

#include "record/EventText.h"
#include "record/IsoTime.h"
#include "settings/GraphSets.h"
#include "settings/RegistryPaths.h"
#include "settings/SelectionView.h"
#include "settings/VehicleTables.h"

namespace {

// Names as the labels show them; a recording may spell a car in other case.
bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

void ApplyRecordedVehicle(const recfile::RecordingHeader& header, Selection& selection,
                          SelectionView& view, Registry& registry) {
    for (int car = 0; car < kCarCount; ++car) {
        const CarRow* row = CarAt(car);
        if (row == nullptr || !SameName(row->label, header.car)) continue;
        selection.carIndex = car;
        selection.carKey = regpath::carKey(row->key);
        selection.engineKey = regpath::engineKey(row->firstEngineKey);
        selection.engineIndex[static_cast<std::size_t>(car)] = 0;
        for (int e = 0; e < EngineCount(car); ++e) {
            const EngineRow* engine = EngineAt(car, e);
            if (engine == nullptr || !SameName(engine->label, header.engine)) continue;
            selection.engineIndex[static_cast<std::size_t>(car)] = e;
            selection.engineKey = regpath::engineKey(engine->key);
            break;
        }
        break;
    }
    selection.ecuFamily = header.family;
    view.setCarLabel(header.car);
    view.setEngineLabel(header.engine);
    LoadGraphSet(registry, selection, view);
}

std::string FormatElapsed(uint32_t ms) {
    const uint32_t tenths = ms / 100;
    const uint32_t seconds = tenths / 10;
    char text[32];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%u:%02u:%02u.%u", seconds / 3600, seconds / 60 % 60,
                      seconds % 60, tenths % 10);
    else
        std::snprintf(text, sizeof text, "%02u:%02u.%u", seconds / 60, seconds % 60, tenths % 10);
    return text;
}

std::string RecordedDateTime(const RecordingReader& reader, uint32_t timeMs) {
    if (reader.segments().empty()) return std::string();
    std::size_t s = 0;
    while (s + 1 < reader.segments().size() && reader.segments()[s + 1].timeMs <= timeMs)
        ++s;
    const SegmentInfo& segment = reader.segments()[s];
    LocalTime start;
    if (!ParseIso(segment.header.startDateTime, start)) return std::string();
    const std::string iso =
        FormatIso(Later(start, int64_t{timeMs} - int64_t{segment.timeMs})); // YYYY-MM-DDTHH:MM:SS
    return iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4) + " " +
           iso.substr(11, 8);
}

std::vector<ReplayEventLine> ReplayEventLines(const RecordingReader& reader) {
    std::vector<ReplayEventLine> lines;
    recfile::Record r;
    for (std::size_t i : reader.events()) {
        if (!reader.record(i, r) || r.type == recfile::RecordType::MarkerText) continue;
        ReplayEventLine line;
        line.timeMs = reader.timeMs(i);
        if (r.type == recfile::RecordType::Marker) {
            line.marker = r.number;
            // The text the marker was given last, later in the file too.
            for (const MarkerInfo& m : reader.markers())
                if (m.number == r.number) r.text = m.text;
        }
        const int family = reader.segments()[reader.segmentOf(i)].header.family;
        line.text = FormatElapsed(line.timeMs) + "  " + EventText(r, family);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string SpanChoiceText(const RecordingReader& reader, int choice, bool end) {
    const std::vector<MarkerInfo>& markers = reader.markers();
    if (choice <= 0 || choice > static_cast<int>(markers.size())) return end ? "конец" : "начало";
    return "метка " + std::to_string(markers[static_cast<std::size_t>(choice - 1)].number);
}

CsvSpan SpanOfChoices(const RecordingReader& reader, int from, int to) {
    const std::vector<MarkerInfo>& markers = reader.markers();
    const int count = static_cast<int>(markers.size());
    CsvSpan span;
    if (from > 0 && from <= count) span.fromMs = markers[static_cast<std::size_t>(from - 1)].timeMs;
    if (to > 0 && to <= count) span.toMs = markers[static_cast<std::size_t>(to - 1)].timeMs;
    if (span.fromMs > span.toMs) std::swap(span.fromMs, span.toMs);
    return span;
}

std::string ExportMessage(FileError error, const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    switch (error) {
    case FileError::None:
        return "Сохранено: " + name;
    case FileError::Exists:
        return "Файл " + name + " уже есть.";
    case FileError::NoSpace:
        return "Нет места на диске.";
    case FileError::NoPermission:
        return "Нет прав на запись в папку.";
    case FileError::Other:
        break;
    }
    return "Не удалось записать " + name + ".";
}

ReplaySession::ReplaySession(std::unique_ptr<RecordingReader> reader, const ReplayClock& clock,
                             MainState& state, LinkEvents& events, SelectionView& view,
                             RepaintRequests& repaint, Registry& registry, UserVehicle user)
    : reader_(std::move(reader)), state_(state), view_(view), repaint_(repaint),
      registry_(registry), user_(std::move(user)),
      shownPresenter_(state.selection, state.ecu, events),
      quietPresenter_(state.selection, state.ecu, quietEvents_), player_(*reader_, clock) {}

void ReplaySession::start() {
    player_.start(*this);
    flushRepaints();
}

void ReplaySession::tick() {
    player_.advance(*this);
    flushRepaints();
}

void ReplaySession::togglePlay() {
    if (player_.playing())
        player_.pause(*this);
    else
        player_.play(*this);
    flushRepaints();
}

void ReplaySession::seek(uint32_t timeMs) {
    player_.seek(timeMs, *this);
    flushRepaints();
}

bool ReplaySession::stepForward() {
    const bool moved = player_.stepForward(*this);
    flushRepaints();
    return moved;
}

bool ReplaySession::stepBack() {
    const bool moved = player_.stepBack(*this);
    flushRepaints();
    return moved;
}

bool ReplaySession::nextEvent() {
    const bool moved = player_.nextEvent(*this);
    flushRepaints();
    return moved;
}

bool ReplaySession::previousEvent() {
    const bool moved = player_.previousEvent(*this);
    flushRepaints();
    return moved;
}

void ReplaySession::close() {
    player_.pause(*this);
    Selection& selection = state_.selection;
    selection.carIndex = user_.carIndex;
    selection.engineIndex = user_.engineIndex;
    selection.carKey = user_.carKey;
    selection.engineKey = user_.engineKey;
    selection.ecuFamily = user_.family;
    view_.setCarLabel(user_.carLabel);
    view_.setEngineLabel(user_.engineLabel);
    LoadGraphSet(registry_, selection, view_);
    state_.ecu.dataValid.store(0.0f);
}

void ReplaySession::useSegment(std::size_t segment, bool shown) {
    const recfile::RecordingHeader& header = reader_->segments()[segment].header;
    if (shown && segment != shownSegment_) {
        shownSegment_ = segment;
        ApplyRecordedVehicle(header, state_.selection, view_, registry_);
    }
    state_.selection.ecuFamily = header.family;
}

void ReplaySession::historyCleared() {
    state_.ecu.channels.clearHistories();
    state_.ecu.dataValid.store(0.0f);
}

void ReplaySession::replyDue(const JudgedReply& reply, std::size_t segment, bool shown) {
    useSegment(segment, shown);
    (shown ? shownPresenter_ : quietPresenter_).replyJudged(reply);
}

void ReplaySession::sampleDue(uint32_t, std::size_t segment) {
    useSegment(segment, false);
    SampleChannels(state_.ecu, state_.selection.ecuFamily.load(), *this);
}

void ReplaySession::requestPanelRepaint(int panel) {
    if (panel >= 1 && panel <= 5) repaintAsked_[static_cast<std::size_t>(panel)] = true;
}

void ReplaySession::flushRepaints() {
    for (int panel = 1; panel <= 5; ++panel) {
        bool& asked = repaintAsked_[static_cast<std::size_t>(panel)];
        if (asked) repaint_.requestPanelRepaint(panel);
        asked = false;
    }
}
