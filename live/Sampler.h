#pragma once
// The 50 ms sampling tick: copies the chart values of the current family into
// their histories and asks the five panels to repaint.
#include "app/MainState.h"

class RepaintRequests {
  public:
    virtual ~RepaintRequests() = default;
    virtual void requestPanelRepaint(int panel) = 0; // 1..4 graphs, 5 the received-data panel
};

// Samples only when dataValid is 1.0 and the family has channels; always asks
// for the repaints of panels 1..5 in order. Allocates nothing.
void SampleChannels(MainState& state, RepaintRequests& repaint);
