#include "replay/AnalysisMapView_win32.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/DriveComparison.h"
#include "replay/AnalysisDrawing_win32.h"

using namespace analysisdraw;

namespace {

constexpr int kMapColumns = 8;
constexpr int kMapCellHeight = 80;
constexpr int kMapHeadHeight = 34; // the two lines above the cells
constexpr int kMapFullTextHeight = 60, kMapTwoLineHeight = 30;

} // namespace

void AnalysisMapView::build(const AnalysisScene& s) {
    const analysis::TimeSpan span = s.chosenSpan();
    map_ = analysis::BuildFuelTrimMap(*s.first, span);
    if (s.second) secondMap_ = analysis::BuildFuelTrimMap(*s.second, s.alignment.secondSpan(span));
}

RECT AnalysisMapView::cellBox(const AnalysisGeometry& g, int cell) const {
    // Cells keep their numbers' places, eight to a row.
    const int cellW = (g.plot.right - g.plot.left) / kMapColumns;
    const int firstRow = map_.cells.empty() ? 0 : map_.cells.front().cell / kMapColumns;
    const int rows = map_.cells.empty() ? 1 : map_.cells.back().cell / kMapColumns + 1 - firstRow;
    const int top = g.plot.top + kMapHeadHeight;
    const int cellH = std::min<int>(kMapCellHeight, (g.axis.bottom - top) / rows);
    const int x = g.plot.left + (cell % kMapColumns) * cellW;
    const int y = top + (cell / kMapColumns - firstRow) * cellH;
    return RECT{x + 2, y + 2, x + cellW - 2, y + cellH - 2};
}

void AnalysisMapView::paint(HDC dc, const AnalysisGeometry& g, const AnalysisScene& s) {
    Well(dc, g.well());
    build(s);
    if (!map_.available) {
        Message(dc, g.plot, "В ответе этого семейства нет ячеек самообучения.");
        return;
    }
    std::vector<analysis::CellSideBySide> both;
    if (s.second) both = analysis::CompareFuelTrim(map_, secondMap_);
    const RECT head{g.plot.left + 6, g.events.top + 2, g.plot.right - 6, g.plot.top + 28};
    TextIn(dc, head,
           "Ячейки BLMCELL: опросов в замкнутом контуре на прогретом двигателе " +
               std::to_string(map_.qualifyingPolls) + " из " + std::to_string(map_.goodPolls) +
               ". Красный: ЭБУ добавляет топливо (LEARN > 128), синий: убавляет (LEARN < 128). "
               "Тусклые: меньше " +
               std::to_string(analysis::kFewestCellPolls) +
               " опросов. Щелчок по ячейке подсвечивает её опросы на ленте.",
           ui::kLabelAmber, DT_LEFT | DT_WORDBREAK);
    for (const analysis::FuelTrimCell& cell : map_.cells) {
        const RECT box = cellBox(g, cell.cell);
        const analysis::Rgb rgb =
            analysis::FuelTrimColour(analysis::FuelTrimShade(cell.meanLearn), cell.dim);
        Fill(dc, box, RGB(rgb.r, rgb.g, rgb.b));
        char text[200];
        // As much as the cell's height holds.
        const int height = box.bottom - box.top;
        if (height >= kMapFullTextHeight)
            std::snprintf(text, sizeof text, "ячейка %d\nопросов %u\nLEARN %.1f\nINT %.1f",
                          cell.cell, cell.polls, cell.meanLearn, cell.meanIntegrator);
        else if (height >= kMapTwoLineHeight)
            std::snprintf(text, sizeof text, "%d: опросов %u\nLEARN %.1f  INT %.1f", cell.cell,
                          cell.polls, cell.meanLearn, cell.meanIntegrator);
        else
            std::snprintf(text, sizeof text, "%d: LEARN %.1f (%u)", cell.cell, cell.meanLearn,
                          cell.polls);
        std::string line = text;
        for (const analysis::CellSideBySide& b : both)
            if (b.cell == cell.cell && b.inSecond) {
                std::snprintf(text, sizeof text, "\n2-я: %.1f (%+.1f)", b.secondLearn, b.learnDiff);
                line += text;
            }
        if (s.decimal != '.') std::replace(line.begin(), line.end(), '.', s.decimal);
        RECT inner = box;
        inner.top += 3;
        TextIn(dc, inner, line, RGB(0, 0, 0), DT_CENTER | DT_WORDBREAK);
        if (cell.cell == litCell_) {
            HBRUSH frame = CreateSolidBrush(ui::kLabelAmber);
            FrameRect(dc, &box, frame);
            DeleteObject(frame);
        }
    }
}

const analysis::FuelTrimCell* AnalysisMapView::cellAt(const AnalysisGeometry& g, int x,
                                                      int y) const {
    if (!map_.available) return nullptr;
    const analysis::FuelTrimCell* hit = nullptr;
    const POINT p{x, y};
    for (const analysis::FuelTrimCell& cell : map_.cells) {
        const RECT box = cellBox(g, cell.cell);
        if (PtInRect(&box, p)) hit = &cell;
    }
    return hit;
}
