#include "settings/GraphSets.h"

#include "app/MainState.h"
#include "platform/Registry.h"
#include "settings/ParameterCatalogue.h"
#include "settings/RegistryPaths.h"
#include "settings/SelectionView.h"

std::string ActiveGraphSetPath(const MainState& state) {
    return state.carKey + state.engineKey + state.currentGraphSet;
}

bool ReadGraphSet(Registry& registry, const std::string& path, MainState& state) {
    auto key = registry.openKey(path, false);
    if (!key) return false;
    for (int graph = 1; graph <= regpath::kGraphs; ++graph) {
        uint32_t stored = 0;
        if (key->readDword(regpath::grafValue(graph), stored))
            state.graphParam[graph - 1] = static_cast<int32_t>(stored);
    }
    return true;
}

void LoadGraphSet(Registry& registry, MainState& state, SelectionView& view) {
    ReadGraphSet(registry, ActiveGraphSetPath(state), state);
    const int family = state.ecuFamily.load();
    for (int graph = 1; graph <= regpath::kGraphs; ++graph) {
        if (const char* caption = CatalogueCaption(family, state.graphParam[graph - 1]))
            view.setGraphCaption(graph, caption);
    }
    view.repaintGraphs();
}

void PressGraphSetButton(int set, MainState& state, SelectionView& view) {
    if (set < 1 || set > regpath::kGraphSets) return;
    view.setGraphSetButtonVisible(set, false);
    view.setGraphSetLabel("Набор графиков " + std::to_string(set));
    for (int other = 1; other <= regpath::kGraphSets; ++other)
        if (other != set) view.setGraphSetButtonVisible(other, true);
    state.currentGraphSet = regpath::graphSetName(set);
}
