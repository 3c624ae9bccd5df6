#include "replay/AnalysisLanesView_win32.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/LaneEnvelope.h"
#include "analysis/Lanes.h"
#include "analysis/TimeAxis.h"
#include "replay/AnalysisDrawing_win32.h"

using namespace analysisdraw;

namespace {

constexpr std::size_t kLongestEventText = 40;
constexpr COLORREF kEmptyBitColour = RGB(18, 26, 22);
constexpr COLORREF kEvidenceColour = RGB(62, 34, 74);
constexpr COLORREF kEvidenceEdgeColour = RGB(170, 110, 200);
constexpr COLORREF kEvidenceMarkColour = RGB(230, 60, 48); // the report's red lines
constexpr COLORREF kSecondLitColour = RGB(110, 50, 95);

std::string LaneName(const analysis::Channel& c) {
    return c.unit.empty() ? c.mnemonic : c.mnemonic + ", " + c.unit;
}

} // namespace

void AnalysisLanesView::paint(HDC dc, const AnalysisGeometry& g, const AnalysisScene& s) const {
    Well(dc, g.well());
    const int columns = g.plot.right - g.plot.left;
    if (columns <= 0 || !s.view.valid()) return;
    const analysis::AnalysedRecording& rec = *s.first;
    // The span and the lit cell's polls under everything.
    auto band = [&](int x0, int x1, COLORREF colour) {
        x0 = std::max<int>(x0, g.plot.left);
        x1 = std::min<int>(x1, g.plot.right);
        if (x1 > x0) Fill(dc, {x0, g.events.top, x1, g.axis.top}, colour);
    };
    if (s.hasSpan)
        band(XOfTime(g, s.view, s.span.fromMs), XOfTime(g, s.view, s.span.toMs) + 1, kSpanColour);
    if (dragBand_) band(std::min(dragX0_, dragX1_), std::max(dragX0_, dragX1_), kSpanColour);
    paintEvidence(dc, g, s, false);
    paintLit(dc, g, s);
    for (int lane = 0; lane < static_cast<int>(s.lanes().size()); ++lane) {
        const RECT r{g.plot.left, g.plot.top + lane * g.laneHeight, g.plot.right,
                     g.plot.top + (lane + 1) * g.laneHeight - 3};
        const int channel = s.lanes()[lane];
        const analysis::Channel& c = rec.channels()[channel];
        // The lane's name and scale on the left, a click there chooses its channel.
        Text(dc, 8, r.top + (r.bottom - r.top) / 2 - 7, LaneName(c), ui::kLabelGreen, true);
        Text(dc, g.plot.left - 4, r.top, c.scale.topText, ui::kLabelAmber, false, TA_RIGHT);
        Text(dc, g.plot.left - 4, r.bottom - 13, c.scale.bottomText, ui::kLabelAmber, false,
             TA_RIGHT);
        Line(dc, r.left, r.bottom + 1, r.right, r.bottom + 1, kGridColour);
        // The second drive over the first.
        paintLane(dc, r, rec, channel, s.view, kFirstColour);
        if (s.second)
            paintLane(dc, r, *s.second, channel, s.alignment.secondView(s.view), kSecondColour);
    }
    // The cursor.
    if (s.cursorMs >= s.view.startMs && s.cursorMs <= s.view.endMs) {
        const int x = XOfTime(g, s.view, s.cursorMs);
        Line(dc, x, g.events.top, x, g.axis.top, kCursorColour, PS_DOT);
    }
    paintEvidence(dc, g, s, true);
    paintAxis(dc, g, s);
}

void AnalysisLanesView::paintLit(HDC dc, const AnalysisGeometry& g, const AnalysisScene& s) const {
    // One drive: the whole height; two: the first's upper half, the second's lower.
    const int middle = s.second ? (g.events.top + g.axis.top) / 2 : g.axis.top;
    auto columns = [&](const std::vector<uint8_t>& lit, int top, int bottom, COLORREF colour) {
        for (int c = 0; c < static_cast<int>(lit.size()); ++c)
            if (lit[c]) Fill(dc, {g.plot.left + c, top, g.plot.left + c + 1, bottom}, colour);
    };
    if (!lit_.empty())
        columns(analysis::HighlightColumns(*s.first, lit_, s.view), g.events.top, middle,
                kLitColour);
    if (s.second && !secondLit_.empty())
        columns(analysis::HighlightColumns(*s.second, secondLit_, s.alignment.secondView(s.view)),
                middle, g.axis.top, kSecondLitColour);
}

void AnalysisLanesView::paintEvidence(HDC dc, const AnalysisGeometry& g, const AnalysisScene& s,
                                      bool over) const {
    for (const checks::EvidenceSpan& e : evidence_) {
        const int x0 = std::max<int>(XOfTime(g, s.view, e.fromMs), g.plot.left);
        const int x1 = std::min<int>(XOfTime(g, s.view, e.toMs) + 1, g.plot.right);
        if (!over) {
            // Under the lanes: the span's band.
            if (x1 > x0) Fill(dc, {x0, g.events.top, x1, g.axis.top}, kEvidenceColour);
            continue;
        }
        // Over them: its edges, its name and the moments it marks.
        if (x1 <= g.plot.left || x0 >= g.plot.right) continue;
        Line(dc, x0, g.events.top, x0, g.axis.top, kEvidenceEdgeColour);
        Line(dc, x1 - 1, g.events.top, x1 - 1, g.axis.top, kEvidenceEdgeColour);
        for (uint32_t m : e.marks) {
            const int x = XOfTime(g, s.view, m);
            if (x >= g.plot.left && x < g.plot.right)
                Line(dc, x, g.events.top, x, g.axis.top, kEvidenceMarkColour);
        }
        const RECT name{x0 + 3, g.plot.top + 1, std::max<int>(x0 + 3, x1 - 2), g.plot.top + 15};
        TextIn(dc, name, e.label, kEvidenceEdgeColour, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}

void AnalysisLanesView::paintLane(HDC dc, const RECT& r, const analysis::AnalysedRecording& rec,
                                  int channel, const analysis::TimeView& view,
                                  COLORREF colour) const {
    const std::vector<int> one{channel};
    const std::vector<analysis::LaneEnvelope> lanes = analysis::DecimateLanes(rec, one, view);
    if (lanes.empty()) return;
    const analysis::LaneEnvelope& lane = lanes.front();
    const analysis::Channel& c = rec.channels()[channel];
    const int h = r.bottom - r.top - 2;
    auto yOf = [&](double v) {
        const double p = std::clamp(analysis::ScalePosition(c.scale, v), 0.0, 1.0);
        return static_cast<int>(r.bottom - 1 - p * h);
    };
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    if (c.kind == analysis::ChannelKind::YesNo || c.kind == analysis::ChannelKind::Bits) {
        const int bands = c.kind == analysis::ChannelKind::Bits ? 8 : 1;
        const int bandH = std::max(1, h / bands);
        for (int col = 0; col < static_cast<int>(lane.columns.size()); ++col) {
            const analysis::EnvelopeColumn& e = lane.columns[col];
            if (!e.hasData) continue;
            for (int b = 0; b < bands; ++b) {
                bool any, all;
                if (bands == 1) {
                    any = e.max >= 0.5f;
                    all = e.min >= 0.5f;
                } else {
                    any = (e.anyBits >> b) & 1;
                    all = (e.allBits >> b) & 1;
                }
                const int top = r.bottom - 1 - (b + 1) * bandH + 1;
                const RECT cell{r.left + col, top, r.left + col + 1, top + bandH - 1};
                Fill(dc, cell, all ? colour : any ? Dim(colour) : kEmptyBitColour);
            }
        }
    } else if (lane.points) {
        int lastX = 0, lastY = 0;
        bool first = true;
        for (const analysis::LanePoint& p : lane.pointList) {
            const int x = r.left + static_cast<int>(std::floor(p.column));
            const int y = yOf(p.value);
            if (first && p.joinsPrevious) {
                // The line comes in from the good poll left of the view.
                const std::size_t before = rec.goodBefore(p.poll);
                if (before != analysis::kNoPoll) {
                    // Cut where it crosses the plot's left edge.
                    const double fromX = r.left + view.columnOf(rec.time(before));
                    const double fromY = yOf(rec.value(channel, before));
                    const double share = x > fromX ? (r.left - fromX) / (x - fromX) : 0;
                    lastX = r.left;
                    lastY = static_cast<int>(fromY + (y - fromY) * std::clamp(share, 0.0, 1.0));
                }
            }
            first = false;
            if (p.joinsPrevious) {
                MoveToEx(dc, lastX, lastY, nullptr);
                LineTo(dc, x, y);
            }
            Fill(dc, {x - 1, y - 1, x + 2, y + 2}, colour);
            lastX = x;
            lastY = y;
        }
    } else {
        for (int col = 0; col < static_cast<int>(lane.columns.size()); ++col) {
            const analysis::EnvelopeColumn& e = lane.columns[col];
            if (!e.hasData) continue;
            const int x = r.left + col;
            if (e.joinsPrevious && col > 0) {
                MoveToEx(dc, x - 1, yOf(e.previous), nullptr);
                LineTo(dc, x, yOf(e.first));
            }
            const int top = yOf(e.max), bottom = yOf(e.min);
            MoveToEx(dc, x, top, nullptr);
            LineTo(dc, x, bottom + 1);
        }
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void AnalysisLanesView::paintAxis(HDC dc, const AnalysisGeometry& g, const AnalysisScene& s) const {
    Fill(dc, g.axis, kAxisColour);
    for (const analysis::TimeTick& t : analysis::TimeTicks(*s.first, s.view)) {
        const int x = g.plot.left + static_cast<int>(t.column);
        Line(dc, x, g.plot.top, x, g.axis.top + 4, kGridColour);
        Text(dc, x, g.axis.top + 4, t.text, ui::kLabelGreen, false, TA_CENTER);
    }
    // Events and markers: a tick in the strip, the text where there is room.
    int freeFrom = g.plot.left;
    for (const analysis::AxisEvent& e : analysis::EventsInView(*s.first, s.view)) {
        const int x = g.plot.left + static_cast<int>(e.column);
        const bool marker = e.event->kind == analysis::TimelineEvent::Kind::Marker;
        const COLORREF colour = marker ? kMarkerColour : kEventColour;
        Line(dc, x, g.events.top, x, marker ? g.axis.top : g.events.bottom, colour);
        if (x + 2 >= freeFrom) {
            std::string text = e.event->text;
            if (text.size() > kLongestEventText) {
                std::size_t cut = kLongestEventText - 2;
                while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
                    --cut; // not inside a character
                text = text.substr(0, cut) + "…";
            }
            const int width = TextWidth(dc, text);
            const RECT box{x + 2, g.events.top + 2, std::min<int>(x + 2 + width, g.plot.right),
                           g.events.bottom};
            TextIn(dc, box, text, colour, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
            freeFrom = x + width + 8;
        }
    }
}
