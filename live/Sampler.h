#pragma once
// The 50 ms sampling tick: copies the chart values of the current family into
// their histories and asks the five panels to repaint.
#include "state/EcuData.h"

class RepaintRequests {
  public:
    virtual ~RepaintRequests() = default;
    virtual void requestPanelRepaint(int panel) = 0; // 1..4 graphs, 5 the received-data panel
};

// Samples the channels of `family` only when dataValid is 1.0 and the family has
// channels; always asks for the repaints of panels 1..5 in order. Allocates nothing.
void SampleChannels(EcuData& ecu, int family, RepaintRequests& repaint);
