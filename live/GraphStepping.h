#pragma once
// The arrows beside each graph: step the edited graph's parameter to the
// previous or next row of the current family's catalogue (wrapping), store it
// in the active graph set and reload the set.
//
// The arrow's mouse-down sets editedGraph ("Graf1".."Graf4"); its mouse-up
// copies that graph's graphParam into editedParam and runs one of these.
class Registry;
class SelectionView;
struct MainState;

void StepGraphPrevious(Registry& registry, MainState& state, SelectionView& view);
void StepGraphNext(Registry& registry, MainState& state, SelectionView& view);
