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
constexpr COLORREF kMissingCellColour = RGB(90, 90, 90); // a cell the other drive has not

} // namespace

void AnalysisMapView::build(const AnalysisScene& s) {
    const analysis::TimeSpan span = s.chosenSpan();
    map_ = analysis::BuildFuelTrimMap(*s.first, span);
    hasSecond_ = s.second != nullptr;
    both_.clear();
    cells_.clear();
    if (hasSecond_) {
        secondMap_ = analysis::BuildFuelTrimMap(*s.second, s.alignment.secondSpan(span));
        both_ = analysis::CompareFuelTrim(map_, secondMap_);
        for (const analysis::CellSideBySide& b : both_)
            cells_.push_back(b.cell);
    } else {
        secondMap_ = analysis::FuelTrimMap();
        for (const analysis::FuelTrimCell& c : map_.cells)
            cells_.push_back(c.cell);
    }
    std::sort(cells_.begin(), cells_.end());
}

RECT AnalysisMapView::cellBox(const AnalysisGeometry& g, int cell) const {
    // Cells keep their numbers' places, eight to a row.
    const int cellW = (g.plot.right - g.plot.left) / kMapColumns;
    const int firstRow = cells_.empty() ? 0 : cells_.front() / kMapColumns;
    const int rows = cells_.empty() ? 1 : cells_.back() / kMapColumns + 1 - firstRow;
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
    if (hasSecond_)
        paintBoth(dc, g, s);
    else
        paintOne(dc, g, s);
}

void AnalysisMapView::frameLit(HDC dc, const RECT& box, int cell) const {
    if (cell != litCell_) return;
    HBRUSH frame = CreateSolidBrush(ui::kLabelAmber);
    FrameRect(dc, &box, frame);
    DeleteObject(frame);
}

void AnalysisMapView::paintOne(HDC dc, const AnalysisGeometry& g, const AnalysisScene& s) {
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
        if (s.decimal != '.') std::replace(line.begin(), line.end(), '.', s.decimal);
        RECT inner = box;
        inner.top += 3;
        TextIn(dc, inner, line, RGB(0, 0, 0), DT_CENTER | DT_WORDBREAK);
        frameLit(dc, box, cell.cell);
    }
}

void AnalysisMapView::paintBoth(HDC dc, const AnalysisGeometry& g, const AnalysisScene& s) {
    const RECT head{g.plot.left + 6, g.events.top + 2, g.plot.right - 6, g.plot.top + 28};
    TextIn(dc, head,
           "Ячейки BLMCELL двух записей: вверху ячейки первая, внизу вторая; разница — вторая "
           "минус первая. Опросов в замкнутом контуре на прогретом двигателе: " +
               std::to_string(map_.qualifyingPolls) + " и " +
               std::to_string(secondMap_.qualifyingPolls) +
               ". Красный: ЭБУ добавляет топливо, синий: убавляет; тусклые: меньше " +
               std::to_string(analysis::kFewestCellPolls) +
               " опросов в одной из записей. Щелчок по ячейке подсвечивает её опросы обеих.",
           ui::kLabelAmber, DT_LEFT | DT_WORDBREAK);
    for (const analysis::CellSideBySide& b : both_) {
        const RECT box = cellBox(g, b.cell);
        const int middle = (box.top + box.bottom) / 2;
        auto half = [&](bool in, double learn, int top, int bottom) {
            const analysis::Rgb rgb =
                analysis::FuelTrimColour(analysis::FuelTrimShade(learn), b.dim);
            Fill(dc, {box.left, top, box.right, bottom},
                 in ? RGB(rgb.r, rgb.g, rgb.b) : kMissingCellColour);
        };
        half(b.inFirst, b.firstLearn, box.top, middle);
        half(b.inSecond, b.secondLearn, middle, box.bottom);
        auto value = [](bool in, double v) {
            char t[16];
            std::snprintf(t, sizeof t, "%.1f", v);
            return in ? std::string(t) : std::string("—");
        };
        auto diff = [&](double d) {
            char t[16];
            std::snprintf(t, sizeof t, "%+.1f", d);
            return b.inFirst && b.inSecond ? std::string(t) : std::string("—");
        };
        const int height = box.bottom - box.top;
        std::string line;
        if (height >= kMapFullTextHeight)
            line = std::to_string(b.cell) + ": опросов " + std::to_string(b.firstPolls) + " / " +
                   std::to_string(b.secondPolls) + "\nLEARN " + value(b.inFirst, b.firstLearn) +
                   " → " + value(b.inSecond, b.secondLearn) + "\nINT " +
                   value(b.inFirst, b.firstIntegrator) + " → " +
                   value(b.inSecond, b.secondIntegrator) + "\nразница " + diff(b.learnDiff) +
                   " / " + diff(b.integratorDiff);
        else if (height >= kMapTwoLineHeight)
            line = std::to_string(b.cell) + ": " + value(b.inFirst, b.firstLearn) + " → " +
                   value(b.inSecond, b.secondLearn) + "\nразница " + diff(b.learnDiff);
        else
            line = std::to_string(b.cell) + ": " + diff(b.learnDiff);
        if (s.decimal != '.') std::replace(line.begin(), line.end(), '.', s.decimal);
        RECT inner = box;
        inner.top += 3;
        TextIn(dc, inner, line, RGB(0, 0, 0), DT_CENTER | DT_WORDBREAK);
        frameLit(dc, box, b.cell);
    }
}

int AnalysisMapView::cellAt(const AnalysisGeometry& g, int x, int y) const {
    if (!map_.available) return -1;
    const POINT p{x, y};
    for (int cell : cells_) {
        const RECT box = cellBox(g, cell);
        if (PtInRect(&box, p)) return cell;
    }
    return -1;
}
