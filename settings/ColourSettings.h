#pragma once
// The sixteen stored colour components of the graph panels, all REG_DWORD
// percentages in "\MOTOSKOP\Com": stored v gives the component v × 0.01, a
// component c is stored as the integer nearest to c × 100.
#include <array>
#include <cstdint>

#include "state/DisplayColours.h"

class Registry;
class RegistryKey;

struct ColourValue {
    const char* name; // value name in \MOTOSKOP\Com
    int32_t standard; // the default, in percent
    GraphColour DisplayColours::*colour;
    float GraphColour::*component;
};

constexpr int kColourValueCount = 16;

// In processing order.
const std::array<ColourValue, kColourValueCount>& ColourValues();

float ColourFromStored(uint32_t stored);
uint32_t StoredFromColour(float component);

// Start-up: each value present as a DWORD sets its component; a missing or
// wrong-typed one is (over)written with its default and the component keeps
// its built-in default.
void LoadColours(RegistryKey& com, DisplayColours& colours);

// Colour window: write the sixteen defaults and take them as the components.
// Nothing changes when \MOTOSKOP\Com does not exist.
void RestoreStandardColours(Registry& registry, DisplayColours& colours);

// Colour window: store the sixteen current components.
void StoreColours(Registry& registry, const DisplayColours& colours);
