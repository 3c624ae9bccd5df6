#pragma once
// The run-time state the windows, the link thread and the sampler share, in
// one piece per owner. The main window owns one; each part of the program is
// handed the pieces it uses.
#include "state/DisplayColours.h"
#include "state/EcuData.h"
#include "state/LinkRequests.h"
#include "state/Selection.h"

struct MainState {
    Selection selection;   // GUI writes; link thread and sampler read
    LinkRequests requests; // GUI raises, link thread takes
    EcuData ecu;           // link thread writes; GUI and sampler read
    DisplayColours colours;
};
