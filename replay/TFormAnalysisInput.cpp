// The analysis window's mouse and keys: over the lanes a press pans, Shift
// chooses a span, a drag along the axis zooms; the wheel zooms around the
// pointer; the keys step and page; a click on the scatter, the map or a check
// goes to that view's handler. The borderless window's edges and top strip size
// and move it.
#include "replay/TFormAnalysis.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "analysis/TimeAxis.h"

namespace {

constexpr double kWheelZoom = 0.8; // one notch in
constexpr int kDragSlop = 3;       // pixels before a press becomes a drag
constexpr int kSizingEdge = 6;
constexpr int kChecksPage = 4; // rows of the checks a PgUp/PgDn moves

} // namespace

double TFormAnalysis::timeAtX(int x) const {
    return TimeAtX(geometry(), scene_.view, x);
}

int TFormAnalysis::xOfTime(double timeMs) const {
    return XOfTime(geometry(), scene_.view, timeMs);
}

void TFormAnalysis::mouseDown(int x, int y, bool shift, bool inAxis) {
    SetFocus(handle());
    const AnalysisGeometry g = geometry();
    if (mode_ == View::Scatter) {
        clickScatter(x, y);
        return;
    }
    if (mode_ == View::Map) {
        clickMap(x, y);
        return;
    }
    if (mode_ == View::Checks) {
        clickChecks(x, y);
        return;
    }
    // The lane's name: choose its channel.
    if (x < g.plot.left && y >= g.plot.top && y < g.plot.bottom) {
        chooseChannel(std::min<int>(analysis::kLaneCount - 1, (y - g.plot.top) / g.laneHeight));
        return;
    }
    drag_ = inAxis ? Drag::AxisZoom : shift ? Drag::Span : Drag::Pan;
    dragX_ = x;
    dragView_ = scene_.view;
    SetCapture(handle());
}

void TFormAnalysis::mouseMove(int x, int y) {
    const AnalysisGeometry g = geometry();
    if (!scene_.first || mode_ != View::Lanes) return;
    if (drag_ == Drag::Pan) {
        scene_.view =
            analysis::Panned(*scene_.first, dragView_, -(x - dragX_) * dragView_.msPerColumn());
        redraw();
        return;
    }
    if (drag_ == Drag::Span || drag_ == Drag::AxisZoom) {
        lanesView_.showDragBand(dragX_, x);
        redraw();
        return;
    }
    if (x >= g.plot.left && x < g.plot.right && y >= g.events.top && y < g.axis.bottom)
        moveCursorTo(timeAtX(x));
}

void TFormAnalysis::mouseUp(int x, int) {
    const Drag drag = drag_;
    drag_ = Drag::None;
    lanesView_.hideDragBand();
    if (GetCapture() == handle()) ReleaseCapture();
    if (!scene_.first) return;
    const bool moved = std::abs(x - dragX_) > kDragSlop;
    if (drag == Drag::Span && moved) {
        selectSpan(timeAtX(dragX_), timeAtX(x));
    } else if (drag == Drag::AxisZoom && moved) {
        const double a = timeAtX(std::min(x, dragX_)), b = timeAtX(std::max(x, dragX_));
        scene_.view =
            analysis::Zoomed(*scene_.first, {a, b, scene_.view.columns}, (a + b) / 2, 1.0);
        redraw();
    } else if (!moved) {
        moveCursorTo(timeAtX(x));
    }
}

void TFormAnalysis::doubleClick(int x, int y) {
    const AnalysisGeometry g = geometry();
    if (mode_ != View::Lanes || x < g.plot.left || x >= g.plot.right || y < g.events.top ||
        y >= g.axis.bottom)
        return;
    moveCursorTo(timeAtX(x));
    sendReplayToCursor();
}

void TFormAnalysis::wheel(int x, int delta) {
    if (scene_.first && mode_ == View::Checks) {
        checksView_.scroll(geometry(), delta > 0 ? -1 : 1);
        redraw();
        return;
    }
    if (!scene_.first || mode_ != View::Lanes) return;
    const AnalysisGeometry g = geometry();
    const int at = std::clamp(x, static_cast<int>(g.plot.left), static_cast<int>(g.plot.right) - 1);
    const double factor = delta > 0 ? kWheelZoom : 1 / kWheelZoom;
    scene_.view = analysis::Zoomed(*scene_.first, scene_.view, timeAtX(at), factor);
    redraw();
}

void TFormAnalysis::key(WPARAM code) {
    if (scene_.first && mode_ == View::Checks && (code == VK_PRIOR || code == VK_NEXT)) {
        checksView_.scroll(geometry(), code == VK_PRIOR ? -kChecksPage : kChecksPage);
        redraw();
        return;
    }
    if (!scene_.first || mode_ != View::Lanes) return;
    const analysis::AnalysedRecording& rec = *scene_.first;
    analysis::TimeView& view = scene_.view;
    const double width = view.endMs - view.startMs;
    switch (code) {
    case VK_LEFT:
    case VK_RIGHT: {
        std::size_t poll = cursor_.poll == analysis::kNoPoll ? 0 : cursor_.poll;
        if (code == VK_LEFT && poll > 0) --poll;
        if (code == VK_RIGHT && poll + 1 < rec.pollCount()) ++poll;
        const double t = rec.time(poll);
        if (t < view.startMs || t > view.endMs)
            view = analysis::Panned(rec, view, t - (view.startMs + view.endMs) / 2);
        moveCursorTo(t);
        return;
    }
    case VK_PRIOR:
        view = analysis::Panned(rec, view, -width);
        break;
    case VK_NEXT:
        view = analysis::Panned(rec, view, width);
        break;
    case VK_HOME:
        view = analysis::Panned(rec, view, rec.firstMs() - view.startMs);
        moveCursorTo(rec.firstMs());
        break;
    case VK_END:
        view = analysis::Panned(rec, view, rec.lastMs() - view.endMs);
        moveCursorTo(rec.lastMs());
        break;
    default:
        return;
    }
    redraw();
}

void TFormAnalysis::clickScatter(int x, int y) {
    if (!scene_.first) return;
    std::size_t poll = analysis::kNoPoll;
    switch (scatterView_.hit(geometry(), x, y, poll)) {
    case AnalysisScatterView::Part::XCaption:
        chooseChannel(kChooseScatterX);
        break;
    case AnalysisScatterView::Part::YCaption:
        chooseChannel(kChooseScatterY);
        break;
    case AnalysisScatterView::Part::Legend:
        chooseChannel(kChooseScatterColour);
        break;
    case AnalysisScatterView::Part::Point:
        moveCursorTo(scene_.first->time(poll));
        MessageLabel.setText("Точка разброса: " + cursor_.clockText);
        break;
    case AnalysisScatterView::Part::None:
        break;
    }
}

void TFormAnalysis::clickMap(int x, int y) {
    if (!scene_.first) return;
    const int cell = mapView_.cellAt(geometry(), x, y);
    if (cell < 0) return;
    const analysis::FuelTrimCell* first = mapView_.map().find(cell);
    const analysis::FuelTrimCell* second =
        scene_.second ? mapView_.secondMap().find(cell) : nullptr;
    mapView_.setLitCell(cell);
    lanesView_.light(first ? first->pollList : std::vector<uint32_t>(),
                     second ? second->pollList : std::vector<uint32_t>());
    MessageLabel.setText(
        "Ячейка " + std::to_string(cell) +
        (scene_.second ? ": её опросы подсвечены на ленте, первой записи в верхней половине, "
                         "второй в нижней (кнопка «Всё» снимает подсветку)"
                       : ": её опросы подсвечены на ленте (кнопка «Всё» снимает подсветку)"));
    setView(View::Lanes);
}

void TFormAnalysis::clickChecks(int x, int y) {
    showEvidence(checksView_.rowAt(geometry(), x, y));
}

LRESULT TFormAnalysis::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    const AnalysisGeometry g = geometry();
    const bool inPlot = x >= g.plot.left - (x < g.plot.left ? kAnalysisLaneMargin : 0) &&
                        x < g.plot.right && y >= g.events.top && y < g.axis.bottom;
    switch (msg) {
    case WM_LBUTTONDOWN:
        if (inPlot) {
            mouseDown(x, y, (wp & MK_SHIFT) != 0, y >= g.axis.top);
            return 0;
        }
        break;
    case WM_LBUTTONDBLCLK:
        if (inPlot) {
            doubleClick(x, y);
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        mouseMove(x, y);
        break;
    case WM_LBUTTONUP:
        if (drag_ != Drag::None) {
            mouseUp(x, y);
            return 0;
        }
        break;
    case WM_MOUSEWHEEL: {
        POINT p{x, y};
        ScreenToClient(handle(), &p);
        wheel(p.x, GET_WHEEL_DELTA_WPARAM(wp));
        return 0;
    }
    case WM_KEYDOWN:
        key(wp);
        return 0;
    case WM_SIZE: {
        const LRESULT result = ui::Form::handleMessage(msg, wp, lp);
        if (wp != SIZE_MINIMIZED && plot_) layout();
        return result;
    }
    case WM_EXITSIZEMOVE:
        saveSettings();
        break;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMinTrackSize = {analysis::kMinWindowWidth, analysis::kMinWindowHeight};
        return 0;
    }
    case WM_NCHITTEST: {
        // Borderless: the edges resize, the toolbar's empty parts move the window.
        POINT p{x, y};
        ScreenToClient(handle(), &p);
        const bool left = p.x < kSizingEdge, right = p.x >= clientWidth() - kSizingEdge;
        const bool top = p.y < kSizingEdge, bottom = p.y >= clientHeight() - kSizingEdge;
        if (!maximised_) {
            if (bottom && right) return HTBOTTOMRIGHT;
            if (bottom && left) return HTBOTTOMLEFT;
            if (top && right) return HTTOPRIGHT;
            if (top && left) return HTTOPLEFT;
            if (right) return HTRIGHT;
            if (left) return HTLEFT;
            if (bottom) return HTBOTTOM;
            if (top) return HTTOP;
        }
        const int toolbarRight = TitleLabel.left() - 4;
        if (p.y < kAnalysisToolbarHeight && p.x > toolbarRight && p.x < MaximiseButton.left())
            return maximised_ ? HTCLIENT : HTCAPTION;
        return HTCLIENT;
    }
    default:
        break;
    }
    return ui::Form::handleMessage(msg, wp, lp);
}
