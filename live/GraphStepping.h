#pragma once
// The arrows beside each graph: step the edited graph's parameter to the
// previous or next row of the current family's catalogue (wrapping), store it
// in the active graph set and reload the set.
//
// The arrow's mouse-down names the edited graph ("Graf1".."Graf4"); its
// mouse-up runs one of these with that name and the graph's graphParam as the
// edited parameter. A name that is not a Graf value stores nothing.
#include <string>

class Registry;
class SelectionView;
struct Selection;

void StepGraphPrevious(Registry& registry, Selection& selection, SelectionView& view,
                       const std::string& editedGraph, int editedParam);
void StepGraphNext(Registry& registry, Selection& selection, SelectionView& view,
                   const std::string& editedGraph, int editedParam);
