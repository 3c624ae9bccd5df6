#pragma once
// The fuel-trim map of the analysis window: the span's block-learn cells eight
// to a row in number order, each coloured by its mean LEARN (red: fuel added,
// blue: taken away, dim: too few polls) with as much of its figures as the cell
// holds. With a second drive each cell either has shows both: the first's
// colour above, the second's below, and the difference of their LEARN and INT.
// The figures come from analysis::BuildFuelTrimMap and CompareFuelTrim.
#include <windows.h>

#include <vector>

#include "analysis/DriveComparison.h"
#include "analysis/FuelTrimMap.h"
#include "replay/AnalysisGeometry_win32.h"
#include "replay/AnalysisScene.h"

class AnalysisMapView {
  public:
    // The maps of the scene's span (and of the second drive's same stretch).
    void build(const AnalysisScene& scene);
    const analysis::FuelTrimMap& map() const { return map_; }
    const analysis::FuelTrimMap& secondMap() const { return secondMap_; }

    // The cell framed as the one lit on the timeline; -1: none.
    void setLitCell(int cell) { litCell_ = cell; }
    int litCell() const { return litCell_; }

    void paint(HDC dc, const AnalysisGeometry& g, const AnalysisScene& scene);
    // The number of the cell at a client point, or -1.
    int cellAt(const AnalysisGeometry& g, int x, int y) const;

  private:
    RECT cellBox(const AnalysisGeometry& g, int cell) const;
    void paintOne(HDC dc, const AnalysisGeometry& g, const AnalysisScene& scene);
    void paintBoth(HDC dc, const AnalysisGeometry& g, const AnalysisScene& scene);
    void frameLit(HDC dc, const RECT& box, int cell) const;

    analysis::FuelTrimMap map_, secondMap_;
    bool hasSecond_ = false;
    std::vector<analysis::CellSideBySide> both_;
    std::vector<int> cells_; // the cells drawn, ascending
    int litCell_ = -1;
};
