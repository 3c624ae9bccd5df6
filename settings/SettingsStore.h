#pragma once
// The settings load run while the main window is built. The first start (no
// "\MOTOSKOP" key) builds the whole default tree; a later start reads set 1
// of the first ESPERO engine, the port and the sixteen colours. Car, engine
// and graph set always start at ESPERO, its first engine and set 1.
//
// The port is not applied here: the main window runs ApplyPortIndex after it.
class Registry;
class SelectionView;
struct DisplayColours;
struct Selection;

void LoadSettingsAtStartup(Registry& registry, Selection& selection, DisplayColours& colours,
                           SelectionView& view);

// The first-start tree: 434 keys with 1694 values, every GraphSet from
// graphParam, ComPort from portIndex, each car's engine choice from its
// engineIndex. No colour value is written.
void CreateDefaultSettings(Registry& registry, const Selection& selection);
