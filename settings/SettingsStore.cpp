#include "settings/SettingsStore.h"

#include "app/MainState.h"
#include "platform/Registry.h"
#include "settings/ColourSettings.h"
#include "settings/GraphSets.h"
#include "settings/RegistryPaths.h"
#include "settings/VehicleTables.h"

namespace {

void writeValue(Registry& registry, const std::string& path, const char* name, uint32_t value) {
    if (auto key = registry.openKey(path, true)) key->writeDword(name, value);
}

void loadLaterStart(Registry& registry, MainState& state, SelectionView& view) {
    const CarRow& first = *CarAt(0);
    const std::string setOne = regpath::carKey(first.key) +
                               regpath::engineKey(first.firstEngineKey) + regpath::graphSetName(1);
    if (ReadGraphSet(registry, setOne, state)) LoadGraphSet(registry, state, view);

    auto com = registry.openKey(regpath::kCom, false);
    if (!com) return;
    uint32_t stored = 0;
    if (com->readDword(regpath::kComPortValue, stored))
        state.portIndex = static_cast<int32_t>(stored);
    LoadColours(*com, state);
}

} // namespace

void CreateDefaultSettings(Registry& registry, const MainState& state) {
    writeValue(registry, regpath::kCars, regpath::kCarsValue, 0);
    writeValue(registry, regpath::kCom, regpath::kComPortValue,
               static_cast<uint32_t>(state.portIndex));

    for (int car = 0; car < kCarCount; ++car) {
        const CarRow& row = *CarAt(car);
        writeValue(registry, regpath::engineListKey(row.key), row.engineChoice,
                   static_cast<uint32_t>(state.engineIndex[car]));
        for (int engine = 0; engine < row.engines; ++engine) {
            const std::string engineKey =
                regpath::carKey(row.key) + regpath::engineKey(EngineAt(car, engine)->key);
            for (int set = 1; set <= regpath::kGraphSets; ++set) {
                auto key = registry.openKey(engineKey + regpath::graphSetName(set), true);
                if (!key) continue;
                for (int graph = 1; graph <= regpath::kGraphs; ++graph)
                    key->writeDword(regpath::grafValue(graph),
                                    static_cast<uint32_t>(state.graphParam[graph - 1]));
            }
        }
    }
}

void LoadSettingsAtStartup(Registry& registry, MainState& state, SelectionView& view) {
    if (registry.keyExists(regpath::kRoot)) {
        loadLaterStart(registry, state, view);
    } else {
        CreateDefaultSettings(registry, state);
        LoadGraphSet(registry, state, view);
    }
}
