#pragma once
// The timeline of the analysis window: six lanes of the recording (the second
// drive drawn over them in its own colour), the span and the polls lit by a
// fuel-trim cell under them, the cursor, and the time axis with the events and
// markers above it; the evidence of a check marked over them. What it draws
// comes from the analysis core (LaneEnvelope, TimeAxis); it keeps only what is
// lit and marked.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "checks/CheckResult.h"
#include "replay/AnalysisGeometry_win32.h"
#include "replay/AnalysisScene.h"

class AnalysisLanesView {
  public:
    // The polls (ascending) of the first drive, and of the second, lit under the lanes
    // (with a second drive the first's in the upper half, the second's in the lower).
    void light(std::vector<uint32_t> first, std::vector<uint32_t> second = {}) {
        lit_ = std::move(first);
        secondLit_ = std::move(second);
    }
    void clearLight() { lit_.clear(), secondLit_.clear(); }
    // A check's evidence spans marked over the lanes, with the moments it marks.
    void markEvidence(std::vector<checks::EvidenceSpan> spans) { evidence_ = std::move(spans); }
    void clearEvidence() { evidence_.clear(); }
    const std::vector<checks::EvidenceSpan>& evidence() const { return evidence_; }
    // The stretch being dragged out (client x), shown as a span until the mouse lets go.
    void showDragBand(int x0, int x1) { dragBand_ = true, dragX0_ = x0, dragX1_ = x1; }
    void hideDragBand() { dragBand_ = false; }

    void paint(HDC dc, const AnalysisGeometry& g, const AnalysisScene& scene) const;

  private:
    void paintLane(HDC dc, const RECT& lane, const analysis::AnalysedRecording& rec, int channel,
                   const analysis::TimeView& view, COLORREF colour) const;
    void paintAxis(HDC dc, const AnalysisGeometry& g, const AnalysisScene& scene) const;
    void paintLit(HDC dc, const AnalysisGeometry& g, const AnalysisScene& scene) const;
    void paintEvidence(HDC dc, const AnalysisGeometry& g, const AnalysisScene& scene,
                       bool over) const;

    std::vector<uint32_t> lit_, secondLit_;
    std::vector<checks::EvidenceSpan> evidence_;
    bool dragBand_ = false;
    int dragX0_ = 0, dragX1_ = 0;
};
