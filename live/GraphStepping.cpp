#include "live/GraphStepping.h"

#include "state/Selection.h"
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
void step(Registry& registry, Selection& selection, SelectionView& view,
          const std::string& editedGraph, int editedParam, int delta) {
    const int rows = CatalogueSize(selection.ecuFamily.load());
    const int current = editedParam;
    if (rows > 0) {
        int stepped;
        if (delta < 0)
            stepped = (current >= 1 && current < rows) ? current - 1 : rows - 1;
        else
            stepped = (current >= 0 && current < rows - 1) ? current + 1 : 0;

        if (isGrafValue(editedGraph)) {
            if (auto key = registry.openKey(ActiveGraphSetPath(selection), true))
                key->writeDword(editedGraph, static_cast<uint32_t>(stepped));
        }
    }
    LoadGraphSet(registry, selection, view);
}

} // namespace

void StepGraphPrevious(Registry& registry, Selection& selection, SelectionView& view,
                       const std::string& editedGraph, int editedParam) {
    step(registry, selection, view, editedGraph, editedParam, -1);
}

void StepGraphNext(Registry& registry, Selection& selection, SelectionView& view,
                   const std::string& editedGraph, int editedParam) {
    step(registry, selection, view, editedGraph, editedParam, +1);
}
