#include "settings/GraphSets.h"

#include "state/Selection.h"
#include "platform/Registry.h"
#include "settings/ParameterCatalogue.h"
#include "settings/RegistryPaths.h"
#include "settings/SelectionView.h"

std::string ActiveGraphSetPath(const Selection& selection) {
    return selection.carKey + selection.engineKey + selection.currentGraphSet;
}

bool ReadGraphSet(Registry& registry, const std::string& path, Selection& selection) {
    auto key = registry.openKey(path, false);
    if (!key) return false;
    for (int graph = 1; graph <= regpath::kGraphs; ++graph) {
        uint32_t stored = 0;
        if (key->readDword(regpath::grafValue(graph), stored))
            selection.graphParam[graph - 1] = static_cast<int32_t>(stored);
    }
    return true;
}

void LoadGraphSet(Registry& registry, Selection& selection, SelectionView& view) {
    ReadGraphSet(registry, ActiveGraphSetPath(selection), selection);
    const int family = selection.ecuFamily.load();
    for (int graph = 1; graph <= regpath::kGraphs; ++graph) {
        if (const char* caption = CatalogueCaption(family, selection.graphParam[graph - 1]))
            view.setGraphCaption(graph, caption);
    }
    view.repaintGraphs();
}

void PressGraphSetButton(int set, Selection& selection, SelectionView& view) {
    if (set < 1 || set > regpath::kGraphSets) return;
    view.setGraphSetButtonVisible(set, false);
    view.setGraphSetLabel("Набор графиков " + std::to_string(set));
    for (int other = 1; other <= regpath::kGraphSets; ++other)
        if (other != set) view.setGraphSetButtonVisible(other, true);
    selection.currentGraphSet = regpath::graphSetName(set);
}
