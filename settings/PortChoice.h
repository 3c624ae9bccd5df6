#pragma once
// The port button as on a real PC: COM1..COM8 always, then every other serial port
// present on the machine in number order, then COM1 again. The ports present are
// passed in (COM numbers, any order), so this stays free of the system's enumeration.
#include <string>
#include <vector>

class Registry;
class SelectionView;
struct Selection;

// "COM12" (any case) -> 12; 0 for anything else.
int ComNumberOfName(const std::string& name);

// The COM number of a name the link thread opens ("COM3", "Com1", "\\.\COM12"); 0 else.
int PortNumberOfDeviceName(const std::string& name);

// The COM numbers of the device names the system lists, sorted, each once.
std::vector<int> PresentComNumbers(const std::vector<std::string>& deviceNames);

// The port indexes (COM number - 1) the button steps through.
std::vector<int> PortCycle(const std::vector<int>& present);

// The index after `current` in the cycle; an index not in it (negative, or a port
// beyond COM8 that is gone) restarts at COM1.
int NextPortIndex(int current, const std::vector<int>& present);

bool IsPortPresent(int portIndex, const std::vector<int>& present);

// The name the link thread opens: "COM1".."COM9", and "\\.\COM10" on (the plain
// form of a two-digit port is not found by CreateFile).
std::string PortDeviceName(int portIndex);
std::string PortLabelText(int portIndex); // "Com-12"

// Start-up: after the stored index is loaded, portName and the label follow it when it is
// one of COM1..COM8 or a present port beyond them; otherwise both stay as they were.
void ApplyPortIndexAmong(Selection& selection, SelectionView& view,
                         const std::vector<int>& present);

// The port button's release: re-read the stored index, step, store, show.
void SelectNextPresentPort(Registry& registry, Selection& selection, SelectionView& view,
                           const std::vector<int>& present);

// A port chosen from outside the button (the command line): stored and shown as a press
// would, present or not. A negative index changes nothing.
void ChoosePort(Registry& registry, Selection& selection, SelectionView& view, int portIndex);
