#include "replay/AnalysisScatterView_win32.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/AnalysisChannels.h"
#include "replay/AnalysisDrawing_win32.h"

using namespace analysisdraw;

namespace {

constexpr int kPickRadius = 4;      // bins around a click that find its point
constexpr int kLegendWidth = 180;   // the colour bar
constexpr int kXCaptionWidth = 300; // the X caption under the plot takes a click

// Blue (low) through green to red (high): the scatter's legend.
COLORREF LegendColour(double position) {
    const double p = std::clamp(position, 0.0, 1.0);
    const int r = static_cast<int>(255 * std::clamp(2 * p - 0.6, 0.0, 1.0));
    const int g = static_cast<int>(255 * (1 - std::fabs(2 * p - 1)) * 0.9 + 30);
    const int b = static_cast<int>(255 * std::clamp(1.4 - 2 * p, 0.0, 1.0));
    return RGB(r, std::min(g, 255), b);
}

} // namespace

void AnalysisScatterView::chooseDefaults(int family) {
    const int fm = analysis::FindChannel(family, "FREQ");
    const int mp = analysis::FindChannel(family, "MAP");
    x_ = fm >= 0 ? fm : 0;
    y_ = mp >= 0 ? mp : 0;
    colour_ = analysis::FindChannel(family, "UO2SENS");
}

void AnalysisScatterView::paint(HDC dc, const AnalysisGeometry& g, const AnalysisScene& s) {
    const RECT area{g.plot.left, g.plot.top, g.plot.right, g.plot.bottom};
    Well(dc, g.well());
    analysis::ScatterRequest request;
    request.xChannel = x_;
    request.yChannel = y_;
    request.colourChannel = colour_;
    request.span = s.chosenSpan();
    request.width = area.right - area.left;
    request.height = area.bottom - area.top;
    request.decimalSymbol = s.decimal;
    scatter_ = analysis::BuildScatter(*s.first, request);
    for (int row = 0; row < scatter_.height; ++row)
        for (int col = 0; col < scatter_.width; ++col) {
            const analysis::ScatterBin& bin = scatter_.at(col, row);
            if (bin.count == 0) continue;
            const COLORREF colour = scatter_.colour.channel >= 0
                                        ? LegendColour(scatter_.colourPosition(bin))
                                        : kFirstColour;
            const int x = area.left + col, y = area.bottom - 1 - row;
            Fill(dc, {x - 1, y - 1, x + 2, y + 2}, colour);
        }
    const auto& channels = s.first->channels();
    Text(dc, area.left, g.axis.top + 4,
         "X: " + channels[x_].caption + "   (" + scatter_.x.lowText + " … " + scatter_.x.highText +
             ")",
         ui::kLabelGreen);
    Text(dc, 8, area.top + (area.bottom - area.top) / 2 - 7, "Y: " + channels[y_].mnemonic,
         ui::kLabelGreen, true);
    Text(dc, area.left - 4, area.top, scatter_.y.highText, ui::kLabelAmber, false, TA_RIGHT);
    Text(dc, area.left - 4, area.bottom - 13, scatter_.y.lowText, ui::kLabelAmber, false, TA_RIGHT);
    // The legend, top right.
    if (scatter_.colour.channel >= 0) {
        const int lx = area.right - 200, ly = area.top + 6;
        Text(dc, lx, ly,
             "Цвет: " + channels[colour_].mnemonic + (scatter_.colourIsYesNo ? " (доля «Да»)" : ""),
             ui::kLabelAmber);
        for (int i = 0; i < kLegendWidth; ++i)
            Fill(dc, {lx + i, ly + 16, lx + i + 1, ly + 26},
                 LegendColour(i / double(kLegendWidth - 1)));
        Text(dc, lx, ly + 28, scatter_.colourIsYesNo ? "0 %" : scatter_.colour.lowText,
             ui::kLabelGreen);
        Text(dc, lx + kLegendWidth, ly + 28,
             scatter_.colourIsYesNo ? "100 %" : scatter_.colour.highText, ui::kLabelGreen, false,
             TA_RIGHT);
    }
    Text(dc, area.left + 4, g.events.top + 2,
         "точек: " + std::to_string(scatter_.points) +
             "   (щелчок по подписи оси или цвета — выбрать канал, по точке — её время)",
         ui::kLabelAmber);
}

AnalysisScatterView::Part AnalysisScatterView::hit(const AnalysisGeometry& g, int x, int y,
                                                   std::size_t& poll) const {
    // The captions under and beside the plot choose its channels.
    if (y >= g.axis.top && x < g.plot.left + kXCaptionWidth) return Part::XCaption;
    if (x < g.plot.left) return Part::YCaption;
    if (x >= g.plot.right - 40 && y < g.plot.top + 20) return Part::Legend;
    const int column = x - g.plot.left, row = g.plot.bottom - 1 - y;
    if (scatter_.width == 0 || column < 0 || row < 0 || column >= scatter_.width ||
        row >= scatter_.height)
        return Part::None;
    poll = analysis::ScatterPollNear(scatter_, column, row, kPickRadius);
    return poll == analysis::kNoPoll ? Part::None : Part::Point;
}
