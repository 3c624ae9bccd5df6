#include "live/GraphStepping.h"

#include "app/MainState.h"
#include "platform/Registry.h"
#include "settings/GraphSets.h"
#include "settings/ParameterCatalogue.h"
#include "settings/RegistryPaths.h"

namespace {

bool isGrafValue(const std::string& name) {
    for (int graph = 1; graph <= regpath::kGraphs; ++graph)
        if (name == regpath::grafValue(graph)) return true;
    return false;
}

// A row outside the catalogue (stored by hand, or for a longer catalogue)
// steps straight to the catalogue's end it moves towards.
void step(Registry& registry, MainState& state, SelectionView& view, int delta) {
    const int rows = CatalogueSize(state.ecuFamily.load());
    const int current = state.editedParam;
    if (rows > 0) {
        if (delta < 0)
            state.editedParam = (current >= 1 && current < rows) ? current - 1 : rows - 1;
        else
            state.editedParam = (current >= 0 && current < rows - 1) ? current + 1 : 0;

        if (isGrafValue(state.editedGraph)) {
            if (auto key = registry.openKey(ActiveGraphSetPath(state), true))
                key->writeDword(state.editedGraph, static_cast<uint32_t>(state.editedParam));
        }
    }
    LoadGraphSet(registry, state, view);
}

} // namespace

void StepGraphPrevious(Registry& registry, MainState& state, SelectionView& view) {
    step(registry, state, view, -1);
}

void StepGraphNext(Registry& registry, MainState& state, SelectionView& view) {
    step(registry, state, view, +1);
}
