#include "replay/AnalysisChecksView_win32.h"

#include <algorithm>

#include "report/VerdictColours.h"
#include "replay/AnalysisDrawing_win32.h"

using namespace analysisdraw;

namespace {

constexpr int kHeadHeight = 22;    // the heading above the rows
constexpr int kLineHeight = 14;    // one line of a row
constexpr int kRowPadding = 6;     // above and below a row's lines
constexpr int kLeastRowLines = 2;  // a row is at least as tall as two lines
constexpr int kTitleWidth = 190;   // the check's name, on two lines where it must
constexpr int kVerdictWidth = 104; // the verdict's badge
constexpr int kGap = 8;
constexpr double kMostRangeShare = 0.45; // of what the name and verdict leave
constexpr COLORREF kRowLineColour = RGB(40, 52, 46);

COLORREF Rgb(const report::Colour& c) {
    return RGB(c.r, c.g, c.b);
}

} // namespace

void AnalysisChecksView::running(const std::string& heading) {
    running_ = true;
    heading_ = heading;
    chosen_ = -1;
}

void AnalysisChecksView::setResults(std::vector<checks::CheckResult> results, int family) {
    running_ = false;
    results_ = std::move(results);
    rows_ = CheckRows(results_, family);
    first_ = 0;
    chosen_ = -1;
}

RECT AnalysisChecksView::area(const AnalysisGeometry& g) const {
    // The lanes' names are not shown here: the rows take the margin too.
    return RECT{8, g.events.top, g.plot.right, g.axis.bottom};
}

int AnalysisChecksView::rowHeight(int row) const {
    const int lines = std::max<int>(kLeastRowLines, static_cast<int>(rows_[row].lines.size()));
    return lines * kLineHeight + 2 * kRowPadding;
}

int AnalysisChecksView::rowTop(const AnalysisGeometry& g, int row) const {
    int y = area(g).top + kHeadHeight;
    for (int r = first_; r < row && r < static_cast<int>(rows_.size()); ++r)
        y += rowHeight(r);
    return row < first_ ? -1 : y;
}

bool AnalysisChecksView::overflows(const AnalysisGeometry& g) const {
    const RECT a = area(g);
    int bottom = a.top + kHeadHeight;
    for (int r = first_; r < static_cast<int>(rows_.size()); ++r)
        bottom += rowHeight(r);
    return bottom > a.bottom;
}

int AnalysisChecksView::rowAt(const AnalysisGeometry& g, int x, int y) const {
    const RECT a = area(g);
    if (running_ || x < a.left || x >= a.right || y >= a.bottom) return -1;
    int top = a.top + kHeadHeight;
    for (int r = first_; r < static_cast<int>(rows_.size()) && top < a.bottom; ++r) {
        const int h = rowHeight(r);
        if (y >= top && y < top + h) return r;
        top += h;
    }
    return -1;
}

void AnalysisChecksView::scroll(const AnalysisGeometry& g, int rows) {
    // The first row from which the rest fits.
    const RECT a = area(g);
    const int room = a.bottom - a.top - kHeadHeight;
    int last = static_cast<int>(rows_.size()), height = 0;
    while (last > 0 && height + rowHeight(last - 1) <= room)
        height += rowHeight(--last);
    first_ = std::clamp(first_ + rows, 0, std::max(0, last));
}

void AnalysisChecksView::paint(HDC dc, const AnalysisGeometry& g) const {
    const RECT a = area(g);
    Well(dc, a);
    const RECT head{a.left + 6, a.top + 3, a.right - 6, a.top + kHeadHeight};
    if (running_) {
        TextIn(dc, head, heading_ + ": проверки выполняются…", ui::kLabelAmber,
               DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
        return;
    }
    std::string text = heading_ + ": " + VerdictCounts(results_) +
                       ". Щелчок по строке показывает на ленте, по каким участкам судила проверка";
    if (first_ > 0 || overflows(g)) text += "; колесо листает";
    TextIn(dc, head, text + ".", ui::kLabelAmber, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
    const int measuredLeft = a.left + 6 + kTitleWidth + kGap + kVerdictWidth + kGap;
    // The ranges as wide as the widest needs, the figures the rest.
    int rangeWidth = 0;
    for (const CheckRow& row : rows_)
        for (const CheckRowLine& line : row.lines)
            if (!line.range.empty())
                rangeWidth = std::max(rangeWidth, TextWidth(dc, line.range) + kGap / 2);
    rangeWidth =
        std::min(rangeWidth, static_cast<int>((a.right - 6 - measuredLeft) * kMostRangeShare));
    const int rangeLeft = a.right - 6 - rangeWidth;
    // The rows clipped to the well: the last one shown may be cut.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, a.left, a.top + kHeadHeight, a.right, a.bottom);
    int top = a.top + kHeadHeight;
    for (int r = first_; r < static_cast<int>(rows_.size()) && top < a.bottom; ++r) {
        const CheckRow& row = rows_[r];
        const int h = rowHeight(r);
        Line(dc, a.left, top, a.right, top, kRowLineColour);
        const int y = top + kRowPadding;
        TextIn(dc, {a.left + 6, y, a.left + 6 + kTitleWidth, top + h - kRowPadding}, row.title,
               ui::kLabelGreen, DT_LEFT | DT_WORDBREAK, true);
        const report::VerdictColour& colour = report::VerdictColourOf(row.verdict);
        const RECT badge{a.left + 6 + kTitleWidth + kGap, y - 2,
                         a.left + 6 + kTitleWidth + kGap + kVerdictWidth, y + kLineHeight + 1};
        Fill(dc, badge, Rgb(colour.background));
        TextIn(dc, badge, checks::VerdictText(row.verdict), Rgb(colour.ink),
               DT_CENTER | DT_VCENTER | DT_SINGLELINE, true);
        for (std::size_t k = 0; k < row.lines.size(); ++k) {
            const int ly = y + static_cast<int>(k) * kLineHeight;
            const CheckRowLine& line = row.lines[k];
            // A note runs on under the range's column.
            const int right = line.range.empty() ? a.right - 6 : rangeLeft - kGap;
            TextIn(dc, {measuredLeft, ly, right, ly + kLineHeight}, line.measured, ui::kLabelGreen,
                   DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
            if (!line.range.empty())
                TextIn(dc, {rangeLeft, ly, a.right - 6, ly + kLineHeight}, line.range,
                       ui::kLabelAmber, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
        }
        if (r == chosen_) {
            HBRUSH frame = CreateSolidBrush(ui::kLabelAmber);
            const RECT box{a.left + 1, top + 1, a.right - 1, top + h};
            FrameRect(dc, &box, frame);
            DeleteObject(frame);
        }
        top += h;
    }
    RestoreDC(dc, saved);
}
