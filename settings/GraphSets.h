#pragma once
// The twelve stored graph sets of the selected engine and the four graph
// captions they give.
#include <string>

class Registry;
class SelectionView;
struct Selection;

// carKey + engineKey + currentGraphSet.
std::string ActiveGraphSetPath(const Selection& selection);

// Reads Graf1..Graf4 of the key at path into graphParam, when the key opens;
// a value missing or not a DWORD leaves its graphParam as it is. False when
// the key did not open.
bool ReadGraphSet(Registry& registry, const std::string& path, Selection& selection);

// Re-reads the active set, sets the caption of every graph whose graphParam is
// a row of the current family's catalogue (the others keep their text) and
// repaints the four graphs.
void LoadGraphSet(Registry& registry, Selection& selection, SelectionView& view);

// The press half of graph-set button set (1..12): that button shows pressed,
// the others normal, Label8 names the set and it becomes the active one.
// The release runs LoadGraphSet.
void PressGraphSetButton(int set, Selection& selection, SelectionView& view);
