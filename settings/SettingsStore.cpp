#include "settings/SettingsStore.h"

#include "state/DisplayColours.h"
#include "state/Selection.h"
#include "platform/Registry.h"
#include "settings/ColourSettings.h"
#include "settings/GraphSets.h"
#include "settings/RegistryPaths.h"
#include "settings/VehicleTables.h"

namespace {

void writeValue(Registry& registry, const std::string& path, const char* name, uint32_t value) {
    if (auto key = registry.openKey(path, true)) key->writeDword(name, value);
}

void loadLaterStart(Registry& registry, Selection& selection, DisplayColours& colours,
                    SelectionView& view) {
    const CarRow& first = *CarAt(0);
    const std::string setOne = regpath::carKey(first.key) +
                               regpath::engineKey(first.firstEngineKey) + regpath::graphSetName(1);
    if (ReadGraphSet(registry, setOne, selection)) LoadGraphSet(registry, selection, view);

    auto com = registry.openKey(regpath::kCom, false);
    if (!com) return;
    uint32_t stored = 0;
    if (com->readDword(regpath::kComPortValue, stored))
        selection.portIndex = static_cast<int32_t>(stored);
    LoadColours(*com, colours);
}

} // namespace

void CreateDefaultSettings(Registry& registry, const Selection& selection) {
    writeValue(registry, regpath::kCars, regpath::kCarsValue, 0);
    writeValue(registry, regpath::kCom, regpath::kComPortValue,
               static_cast<uint32_t>(selection.portIndex));

    for (int car = 0; car < kCarCount; ++car) {
        const CarRow& row = *CarAt(car);
        writeValue(registry, regpath::engineListKey(row.key), row.engineChoice,
                   static_cast<uint32_t>(selection.engineIndex[car]));
        for (int engine = 0; engine < row.engines; ++engine) {
            const std::string engineKey =
                regpath::carKey(row.key) + regpath::engineKey(EngineAt(car, engine)->key);
            for (int set = 1; set <= regpath::kGraphSets; ++set) {
                auto key = registry.openKey(engineKey + regpath::graphSetName(set), true);
                if (!key) continue;
                for (int graph = 1; graph <= regpath::kGraphs; ++graph)
                    key->writeDword(regpath::grafValue(graph),
                                    static_cast<uint32_t>(selection.graphParam[graph - 1]));
            }
        }
    }
}

void LoadSettingsAtStartup(Registry& registry, Selection& selection, DisplayColours& colours,
                           SelectionView& view) {
    if (registry.keyExists(regpath::kRoot)) {
        loadLaterStart(registry, selection, colours, view);
    } else {
        CreateDefaultSettings(registry, selection);
        LoadGraphSet(registry, selection, view);
    }
}
