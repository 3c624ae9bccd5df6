#include "settings/VehicleSelection.h"

#include "app/MainState.h"
#include "platform/Registry.h"
#include "settings/GraphSets.h"
#include "settings/RegistryPaths.h"
#include "settings/SelectionView.h"
#include "settings/VehicleTables.h"

namespace {

// The selected engine's set 1 becomes active and is shown.
void showEngine(Registry& registry, MainState& state, SelectionView& view) {
    const std::string setOne = state.carKey + state.engineKey + regpath::graphSetName(1);
    ReadGraphSet(registry, setOne, state);
    PressGraphSetButton(1, state, view);
    LoadGraphSet(registry, state, view);
}

} // namespace

void SelectNextCar(Registry& registry, MainState& state, SelectionView& view) {
    int next = state.carIndex + 1;
    if (next == kSkippedCar) next = kSkippedCar + 1;
    if (next >= kCarCount || next < 0) next = 0;
    state.carIndex = next;

    const CarRow& car = *CarAt(next);
    state.ecuFamily = car.ecuFamily;
    view.setCarLabel(car.label);
    view.setEngineLabel(car.firstEngine);
    state.engineIndex[next] = 0;
    state.carKey = regpath::carKey(car.key);
    state.engineKey = regpath::engineKey(car.firstEngineKey);

    showEngine(registry, state, view);
}

void SelectNextEngine(Registry& registry, MainState& state, SelectionView& view) {
    const int car = state.carIndex;
    const int count = EngineCount(car);
    if (count == 0) return; // not a car of the table
    int& position = state.engineIndex[car];
    if (count > 1) {
        ++position;
        if (position >= count || position < 0) position = 0;
    }

    const EngineRow* engine = EngineAt(car, position);
    if (engine == nullptr) return;
    state.ecuFamily = engine->ecuFamily;
    view.setEngineLabel(engine->label);
    state.engineKey = regpath::engineKey(engine->key);

    showEngine(registry, state, view);
    view.repaintGraphs();
}

void SelectNextPort(Registry& registry, MainState& state, SelectionView& view) {
    if (auto com = registry.openKey(regpath::kCom, false)) {
        uint32_t stored = 0;
        if (com->readDword(regpath::kComPortValue, stored))
            state.portIndex = static_cast<int32_t>(stored);
    }
    // Any stored value outside the table (even the largest) restarts at COM1.
    const int current = state.portIndex;
    state.portIndex = (current >= 0 && current < kPortCount - 1) ? current + 1 : 0;

    if (auto com = registry.openKey(regpath::kCom, true))
        com->writeDword(regpath::kComPortValue, static_cast<uint32_t>(state.portIndex));
    ApplyPortIndex(state, view);
}

void ApplyPortIndex(MainState& state, SelectionView& view) {
    const PortRow* port = PortAt(state.portIndex);
    if (port == nullptr) return;
    state.portName.set(port->portName);
    view.setPortLabel(port->label);
}
