#include "settings/ColourSettings.h"

#include <cmath>
#include <limits>

#include "platform/Registry.h"
#include "settings/RegistryPaths.h"

namespace {

using M = DisplayColours;
using C = GraphColour;

// clang-format off
const std::array<ColourValue, kColourValueCount> kColourValues = {{
    // value        default  member             component
    {"GRID_R",      50,      &M::gridColour,    &C::r},
    {"GRID_G",      70,      &M::gridColour,    &C::g},
    {"GRID_B",      70,      &M::gridColour,    &C::b},
    {"GRID_T",      30,      &M::gridColour,    &C::t},
    {"Text_R",      40,      &M::textColour,    &C::r},
    {"Text_G",      60,      &M::textColour,    &C::g},
    {"Text_B",      90,      &M::textColour,    &C::b},
    {"Text_T",      80,      &M::textColour,    &C::t},
    {"Text3_R",     80,      &M::text3Colour,   &C::r},
    {"Text3_G",     70,      &M::text3Colour,   &C::g},
    {"Text3_B",     30,      &M::text3Colour,   &C::b},
    {"Text3_T",     80,      &M::text3Colour,   &C::t},
    {"GRAPHIC_R",   99,      &M::graphicColour, &C::r},
    {"GRAPHIC_G",   0,       &M::graphicColour, &C::g},
    {"GRAPHIC_B",   0,       &M::graphicColour, &C::b},
    {"GRAPHIC_T",   99,      &M::graphicColour, &C::t},
}};
// clang-format on

float& componentOf(DisplayColours& colours, const ColourValue& v) {
    return colours.*(v.colour).*(v.component);
}

float componentOf(const DisplayColours& colours, const ColourValue& v) {
    return colours.*(v.colour).*(v.component);
}

} // namespace

const std::array<ColourValue, kColourValueCount>& ColourValues() {
    return kColourValues;
}

float ColourFromStored(uint32_t stored) {
    return static_cast<float>(static_cast<int32_t>(stored) * 0.01);
}

uint32_t StoredFromColour(float component) {
    const double scaled = std::round(static_cast<double>(component) * 100.0);
    if (!(scaled == scaled)) return 0; // NaN
    if (scaled >= std::numeric_limits<int32_t>::max())
        return static_cast<uint32_t>(std::numeric_limits<int32_t>::max());
    if (scaled <= std::numeric_limits<int32_t>::min())
        return static_cast<uint32_t>(std::numeric_limits<int32_t>::min());
    return static_cast<uint32_t>(static_cast<int32_t>(scaled));
}

void LoadColours(RegistryKey& com, DisplayColours& colours) {
    for (const ColourValue& v : kColourValues) {
        uint32_t stored = 0;
        if (com.readDword(v.name, stored))
            componentOf(colours, v) = ColourFromStored(stored);
        else
            com.writeDword(v.name, static_cast<uint32_t>(v.standard));
    }
}

void RestoreStandardColours(Registry& registry, DisplayColours& colours) {
    auto com = registry.openKey(regpath::kCom, false);
    if (!com) return;
    for (const ColourValue& v : kColourValues) {
        com->writeDword(v.name, static_cast<uint32_t>(v.standard));
        componentOf(colours, v) = ColourFromStored(static_cast<uint32_t>(v.standard));
    }
}

void StoreColours(Registry& registry, const DisplayColours& colours) {
    auto com = registry.openKey(regpath::kCom, false);
    if (!com) return;
    for (const ColourValue& v : kColourValues)
        com->writeDword(v.name, StoredFromColour(componentOf(colours, v)));
}
