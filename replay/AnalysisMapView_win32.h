#pragma once
// The fuel-trim map of the analysis window: the span's block-learn cells eight
// to a row in number order, each coloured by its mean LEARN (red: fuel added,
// blue: taken away, dim: too few polls) with as much of its figures as the cell
// holds. The figures come from analysis::BuildFuelTrimMap.
#include <windows.h>

#include "analysis/FuelTrimMap.h"
#include "replay/AnalysisGeometry_win32.h"
#include "replay/AnalysisScene.h"

class AnalysisMapView {
  public:
    // The maps of the scene's span (and of the second drive's same stretch).
    void build(const AnalysisScene& scene);
    const analysis::FuelTrimMap& map() const { return map_; }

    // The cell framed as the one lit on the timeline; -1: none.
    void setLitCell(int cell) { litCell_ = cell; }
    int litCell() const { return litCell_; }

    void paint(HDC dc, const AnalysisGeometry& g, const AnalysisScene& scene);
    // The cell at a client point, or nullptr.
    const analysis::FuelTrimCell* cellAt(const AnalysisGeometry& g, int x, int y) const;

  private:
    RECT cellBox(const AnalysisGeometry& g, int cell) const;

    analysis::FuelTrimMap map_, secondMap_;
    int litCell_ = -1;
};
