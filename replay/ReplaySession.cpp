#include "replay/ReplaySession.h"

#include <cctype>
#include <utility>

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

ReplaySession::ReplaySession(std::unique_ptr<RecordingReader> reader, const ReplayClock& clock,
                             MainState& state, LinkEvents& events, SelectionView& view,
                             RepaintRequests& repaint, Registry& registry, UserVehicle user)
    : reader_(std::move(reader)), state_(state), view_(view), repaint_(repaint),
      registry_(registry), user_(std::move(user)),
      shownPresenter_(state.selection, state.ecu, events),
      quietPresenter_(state.selection, state.ecu, quietEvents_), player_(*reader_, clock) {}

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
    SampleChannels(state_.ecu, state_.selection.ecuFamily.load(), repaint_);
}
