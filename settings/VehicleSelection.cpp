#include "settings/VehicleSelection.h"

#include "state/Selection.h"
#include "platform/Registry.h"
#include "settings/GraphSets.h"
#include "settings/PortChoice.h"
#include "settings/RegistryPaths.h"
#include "settings/SelectionView.h"
#include "settings/VehicleTables.h"

namespace {

// The selected engine's set 1 becomes active and is shown.
void showEngine(Registry& registry, Selection& selection, SelectionView& view) {
    const std::string setOne = selection.carKey + selection.engineKey + regpath::graphSetName(1);
    ReadGraphSet(registry, setOne, selection);
    PressGraphSetButton(1, selection, view);
    LoadGraphSet(registry, selection, view);
}

} // namespace

void SelectNextCar(Registry& registry, Selection& selection, SelectionView& view) {
    int next = selection.carIndex + 1;
    if (next == kSkippedCar) next = kSkippedCar + 1;
    if (next >= kCarCount || next < 0) next = 0;
    selection.carIndex = next;

    const CarRow& car = *CarAt(next);
    selection.ecuFamily = car.ecuFamily;
    view.setCarLabel(car.label);
    view.setEngineLabel(car.firstEngine);
    selection.engineIndex[next] = 0;
    selection.carKey = regpath::carKey(car.key);
    selection.engineKey = regpath::engineKey(car.firstEngineKey);

    showEngine(registry, selection, view);
}

void SelectNextEngine(Registry& registry, Selection& selection, SelectionView& view) {
    const int car = selection.carIndex;
    const int count = EngineCount(car);
    if (count == 0) return; // not a car of the table
    int& position = selection.engineIndex[car];
    if (count > 1) {
        ++position;
        if (position >= count || position < 0) position = 0;
    }

    const EngineRow* engine = EngineAt(car, position);
    if (engine == nullptr) return;
    selection.ecuFamily = engine->ecuFamily;
    view.setEngineLabel(engine->label);
    selection.engineKey = regpath::engineKey(engine->key);

    showEngine(registry, selection, view);
    view.repaintGraphs();
}

void SelectNextPort(Registry& registry, Selection& selection, SelectionView& view) {
    // COM1..COM8 only: the cycle with no other port present.
    SelectNextPresentPort(registry, selection, view, {});
}

void ApplyPortIndex(Selection& selection, SelectionView& view) {
    const PortRow* port = PortAt(selection.portIndex);
    if (port == nullptr) return;
    selection.portName.set(port->portName);
    view.setPortLabel(port->label);
}
