#pragma once
// The car, engine and port buttons: each release steps forward through its
// table and wraps. Car and engine choices live in memory only; the port
// choice is stored at once.
class Registry;
class SelectionView;
struct Selection;

void SelectNextCar(Registry& registry, Selection& selection, SelectionView& view);
void SelectNextEngine(Registry& registry, Selection& selection, SelectionView& view);
void SelectNextPort(Registry& registry, Selection& selection, SelectionView& view);

// portName and the port label follow portIndex; an index outside the port
// table changes neither.
void ApplyPortIndex(Selection& selection, SelectionView& view);
