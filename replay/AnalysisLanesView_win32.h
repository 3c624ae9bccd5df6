#pragma once
// The timeline of the analysis window: six lanes of the recording (the second
// drive drawn over them in its own colour), the span and the polls lit by a
// fuel-trim cell under them, the cursor, and the time axis with the events and
// markers above it. What it draws comes from the analysis core (LaneEnvelope,
// TimeAxis); it keeps only what is lit.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "replay/AnalysisGeometry_win32.h"
#include "replay/AnalysisScene.h"

class AnalysisLanesView {
  public:
    // The polls (ascending) of the first drive lit under the lanes; empty: none.
    void light(std::vector<uint32_t> polls) { lit_ = std::move(polls); }
    void clearLight() { lit_.clear(); }
    // The stretch being dragged out (client x), shown as a span until the mouse lets go.
    void showDragBand(int x0, int x1) { dragBand_ = true, dragX0_ = x0, dragX1_ = x1; }
    void hideDragBand() { dragBand_ = false; }

    void paint(HDC dc, const AnalysisGeometry& g, const AnalysisScene& scene) const;

  private:
    void paintLane(HDC dc, const RECT& lane, const analysis::AnalysedRecording& rec, int channel,
                   const analysis::TimeView& view, COLORREF colour) const;
    void paintAxis(HDC dc, const AnalysisGeometry& g, const AnalysisScene& scene) const;

    std::vector<uint32_t> lit_;
    bool dragBand_ = false;
    int dragX0_ = 0, dragX1_ = 0;
};
