#include "replay/CsvSaveDialog_win32.h"
#include "replay/TFormAnalysis.h"

#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "assets/resource.h"
#include "platform/TextConversion.h"
#include "platform/Win32System.h"
#include "record/CsvExport.h"
#include "record/RecordFile_win32.h"
#include "record/RecordTexts.h"
#include "replay/AnalysisFile_win32.h"
#include "analysis/AnalysisTexts.h"
#include "replay/CsvExportCommand.h"
#include "analysis/LaneEnvelope.h"
#include "analysis/Lanes.h"
#include "replay/ReplayTexts.h"
#include "analysis/StatsText.h"
#include "analysis/TimeAxis.h"
#include "startup/SystemChoices.h"
#include "ui/Colours.h"
#include "ui/FileDialog.h"
#include "ui/Fonts.h"

namespace {

constexpr UINT kProgressMs = 100;
constexpr long long kShowProgressAfterMs = 500;
constexpr int kToolbarHeight = 34;
constexpr int kMessageHeight = 18;
constexpr int kLaneMargin = 118; // the lane's name and scale, left of the plot
constexpr int kSideWidth = 210;  // the cursor's values, right of the plot
constexpr int kEventStrip = 18;
constexpr int kAxisHeight = 22;
constexpr int kBottomHeight = 150;
constexpr double kWheelZoom = 0.8; // one notch in
constexpr int kDragSlop = 3;       // pixels before a press becomes a drag
constexpr int kScatterPickRadius = 4;
constexpr int kChooseScatterX = 100, kChooseScatterY = 101, kChooseScatterColour = 102;
constexpr int kMapColumns = 8;
constexpr int kMapCellHeight = 80;
constexpr int kMapHeadHeight = 34; // the two lines above the cells
constexpr int kMapFullTextHeight = 60, kMapTwoLineHeight = 30;

constexpr COLORREF kWellColour = RGB(4, 8, 6);
constexpr COLORREF kPanelColour = RGB(30, 35, 41);
constexpr COLORREF kGridColour = RGB(28, 44, 34);
constexpr COLORREF kFirstColour = ui::kLabelGreen;
constexpr COLORREF kSecondColour = RGB(240, 120, 200);
constexpr COLORREF kCursorColour = RGB(230, 230, 230);
constexpr COLORREF kSpanColour = RGB(30, 52, 80);
constexpr COLORREF kLitColour = RGB(120, 70, 20);
constexpr COLORREF kEventColour = RGB(90, 110, 130);
constexpr COLORREF kMarkerColour = ui::kLabelAmber;

long long NowMs() {
    using clock = std::chrono::steady_clock;
    return std::chrono::duration_cast<std::chrono::milliseconds>(clock::now().time_since_epoch())
        .count();
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// A sunken well, as the other windows' pictures draw them.
void Well(HDC dc, const RECT& r, COLORREF fill = kWellColour) {
    Fill(dc, r, fill);
    HPEN dark = CreatePen(PS_SOLID, 1, RGB(5, 7, 9)),
         light = CreatePen(PS_SOLID, 1, RGB(70, 80, 90));
    HGDIOBJ old = SelectObject(dc, dark);
    MoveToEx(dc, r.left - 1, r.bottom, nullptr);
    LineTo(dc, r.left - 1, r.top - 1);
    LineTo(dc, r.right, r.top - 1);
    SelectObject(dc, light);
    LineTo(dc, r.right, r.bottom);
    LineTo(dc, r.left - 1, r.bottom);
    SelectObject(dc, old);
    DeleteObject(dark);
    DeleteObject(light);
}

void Text(HDC dc, int x, int y, const std::string& utf8, COLORREF colour, bool bold = false,
          UINT align = TA_LEFT) {
    ui::FontSpec font;
    font.bold = bold;
    HGDIOBJ old = SelectObject(dc, ui::GetFont(font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    SetTextAlign(dc, align | TA_TOP);
    const std::wstring wide = Widen(utf8);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SelectObject(dc, old);
}

void TextIn(HDC dc, const RECT& r, const std::string& utf8, COLORREF colour, UINT format) {
    ui::FontSpec font;
    HGDIOBJ old = SelectObject(dc, ui::GetFont(font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    std::wstring wide = Widen(utf8);
    RECT box = r;
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box, format);
    SelectObject(dc, old);
}

int TextWidth(HDC dc, const std::string& utf8) {
    HGDIOBJ old = SelectObject(dc, ui::GetFont(ui::FontSpec{}));
    const std::wstring wide = Widen(utf8);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    return size.cx;
}

COLORREF Dim(COLORREF c) {
    return RGB(GetRValue(c) / 3, GetGValue(c) / 3, GetBValue(c) / 3);
}

// Blue (low) through green to red (high): the scatter's legend.
COLORREF LegendColour(double position) {
    const double p = std::clamp(position, 0.0, 1.0);
    const int r = static_cast<int>(255 * std::clamp(2 * p - 0.6, 0.0, 1.0));
    const int g = static_cast<int>(255 * (1 - std::fabs(2 * p - 1)) * 0.9 + 30);
    const int b = static_cast<int>(255 * std::clamp(1.4 - 2 * p, 0.0, 1.0));
    return RGB(r, std::min(g, 255), b);
}

std::string LaneName(const analysis::Channel& c) {
    return c.unit.empty() ? c.mnemonic : c.mnemonic + ", " + c.unit;
}

} // namespace

// The plot area: drawn by the window into the form's back buffer.
class TFormAnalysis::Plot : public ui::Control {
  public:
    explicit Plot(TFormAnalysis& owner) : owner_(owner) {}
    void paint(HDC dc) override { owner_.paintPlot(dc); }
    bool takesMouse() const override { return false; } // the window takes its mouse itself

  private:
    TFormAnalysis& owner_;
};

TFormAnalysis::TFormAnalysis(HWND owner, Registry& registry, const std::string& path,
                             const std::string& second, std::function<void(uint32_t)> onSeek,
                             std::function<void()> onClose)
    : registry_(registry), path_(path), secondPath_(second), onSeek_(std::move(onSeek)),
      onClose_(std::move(onClose)) {
    decimal_ = ChooseDecimalSeparator(UserLocaleText(LocaleItem::DecimalSeparator));
    const std::string title = "Анализ — " + path;
    // Ownerless: the main window stays usable beside it, the taskbar shows it.
    (void)owner;
    if (!create(nullptr, analysis::kDefaultWindowWidth, analysis::kDefaultWindowHeight,
                Widen("MOTOSKOP — " + title).c_str()))
        return;
    setColour(kPanelColour);
    build();
    OnCloseRequest = [this] {
        if (onClose_) onClose_();
    };
    // Within the screen's work area.
    RECT work{0, 0, 1366, 738};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int w = std::min<int>(clientWidth(), work.right - work.left);
    const int h = std::min<int>(clientHeight(), work.bottom - work.top);
    SetWindowPos(handle(), nullptr, work.left + (work.right - work.left - w) / 2,
                 work.top + (work.bottom - work.top - h) / 2, w, h, SWP_NOZORDER);
    layout();
    show();
    startLoad(path_, false);
}

TFormAnalysis::~TFormAnalysis() {
    ProgressTimer.setEnabled(false);
    secondJob_.reset();
    job_.reset();
    if (recording_) saveSettings();
}

void TFormAnalysis::setPressFaces(ui::Picture& button, int normal, int lit,
                                  std::function<void()> action) {
    button.setPicture(ui::Bitmap::FromResource(normal));
    button.OnMouseDown = [&button, lit](ui::MouseButton, int, int) {
        button.setPicture(ui::Bitmap::FromResource(lit));
    };
    button.OnMouseUp = [&button, normal, action](ui::MouseButton, int x, int y) {
        button.setPicture(ui::Bitmap::FromResource(normal));
        if (x >= 0 && y >= 0 && x < button.width() && y < button.height() && action) action();
    };
    button.setDimWhenDisabled(true);
    add(button);
}

void TFormAnalysis::build() {
    plot_ = std::make_unique<Plot>(*this);
    add(*plot_);
    struct Row {
        ui::Picture* button;
        int width, normal, lit;
        std::function<void()> action;
    };
    const auto close = [this] {
        if (onClose_) onClose_();
    };
    // clang-format off
    const Row rows[] = {
        {&AllButton,      60,  IDB_ANALYSIS_ALL,      IDB_ANALYSIS_ALL_LIT,      [this] { showWhole(); }},
        {&ReplayButton,   96,  IDB_ANALYSIS_REPLAY,   IDB_ANALYSIS_REPLAY_LIT,   [this] { sendReplayToCursor(); }},
        {&ExportButton,   120, IDB_ANALYSIS_EXPORT,   IDB_ANALYSIS_EXPORT_LIT,   [this] { exportPressed(); }},
        {&LanesButton,    80,  IDB_ANALYSIS_LANES,    IDB_ANALYSIS_LANES_LIT,    [this] { setView(View::Lanes); }},
        {&ScatterButton,  80,  IDB_ANALYSIS_SCATTER,  IDB_ANALYSIS_SCATTER_LIT,  [this] { setView(View::Scatter); }},
        {&MapButton,      80,  IDB_ANALYSIS_MAP,      IDB_ANALYSIS_MAP_LIT,      [this] { setView(View::Map); }},
        {&SecondButton,   120, IDB_ANALYSIS_SECOND,   IDB_ANALYSIS_SECOND_LIT,   [this] { secondPressed(); }},
        {&AlignButton,    96,  IDB_ANALYSIS_ALIGN,    IDB_ANALYSIS_ALIGN_LIT,    [this] { nextAlignment(); }},
        {&MaximiseButton, 26,  IDB_ANALYSIS_MAXIMISE, IDB_ANALYSIS_MAXIMISE_LIT, [this] { toggleMaximise(); }},
        {&CloseButton,    26,  IDB_ANALYSIS_EXIT,     IDB_ANALYSIS_EXIT_LIT,     close},
    };
    // clang-format on
    for (const Row& r : rows) {
        r.button->setBounds(0, 7, r.width, 20);
        setPressFaces(*r.button, r.normal, r.lit, r.action);
    }
    for (ui::Label* l :
         {&TitleLabel, &MessageLabel, &CursorTimeLabel, &SpanLabel, &AnchorCaption}) {
        l->setColour(ui::kLabelGreen);
        add(*l);
    }
    TitleLabel.setColour(ui::kLabelAmber);
    TitleLabel.setBold(true);
    CursorTimeLabel.setColour(ui::kLabelAmber);
    CursorTimeLabel.setBold(true);
    SpanLabel.setColour(ui::kLabelAmber);
    AnchorCaption.setText("Участок между метками и событиями (два щелчка):");
    for (int lane = 0; lane < analysis::kLaneCount * 2; ++lane) {
        ownedLabels_.push_back(std::make_unique<ui::Label>());
        ui::Label& l = *ownedLabels_.back();
        l.setColour(lane < analysis::kLaneCount ? kFirstColour : kSecondColour);
        l.setBold(true);
        add(l);
        valueLabels_.push_back(&l);
    }
    StatsList.create(*this, 0, 0, 100, 100);
    StatsList.setColours(ui::kLabelGreen, RGB(0, 0, 0));
    AnchorList.create(*this, 0, 0, 100, 100);
    AnchorList.setColours(ui::kLabelAmber, RGB(0, 0, 0));
    AnchorList.OnChoose = [this](std::size_t line) { anchorChosen(line); };
    ChannelList.create(*this, 0, 0, 100, 100);
    ChannelList.setColours(ui::kLabelGreen, RGB(0, 0, 0));
    ChannelList.OnChoose = [this](std::size_t line) { channelChosen(line); };
    ShowWindow(ChannelList.handle(), SW_HIDE);
    ProgressTimer.setInterval(kProgressMs);
    ProgressTimer.OnTimer = [this] { progressTick(); };
    for (ui::Picture* b : {&AllButton, &ReplayButton, &ExportButton, &LanesButton, &ScatterButton,
                           &MapButton, &SecondButton})
        b->setEnabled(false);
    AlignButton.setVisible(false);
}

TFormAnalysis::Geometry TFormAnalysis::geometry() const {
    Geometry g;
    const int w = clientWidth(), h = clientHeight();
    const int top = kToolbarHeight + kMessageHeight + 4;
    const int bottomTop = h - kBottomHeight - 8;
    g.events = {kLaneMargin, top, w - kSideWidth - 12, top + kEventStrip};
    g.axis = {kLaneMargin, bottomTop - kAxisHeight - 6, g.events.right, bottomTop - 6};
    g.plot = {kLaneMargin, g.events.bottom + 2, g.events.right, g.axis.top - 2};
    g.side = {g.plot.right + 8, top, w - 8, g.axis.bottom};
    g.bottom = {8, bottomTop, w - 8, h - 8};
    g.laneHeight = std::max(1, static_cast<int>(g.plot.bottom - g.plot.top) / analysis::kLaneCount);
    return g;
}

int TFormAnalysis::lanesTop() const {
    return geometry().plot.top;
}

int TFormAnalysis::lanesBottom() const {
    return geometry().plot.bottom;
}

void TFormAnalysis::layout() {
    const Geometry g = geometry();
    int x = 8;
    for (ui::Picture* b : {&AllButton, &ReplayButton, &ExportButton, &LanesButton, &ScatterButton,
                           &MapButton, &SecondButton, &AlignButton}) {
        b->setBounds(x, 7, b->width(), 20);
        x += b->width() + 6;
    }
    CloseButton.setBounds(clientWidth() - 34, 7, 26, 20);
    MaximiseButton.setBounds(clientWidth() - 64, 7, 26, 20);
    TitleLabel.place(x + 10, 10);
    MessageLabel.place(10, kToolbarHeight + 2);
    plot_->setBounds(0, g.events.top - 2, g.side.left - 2, g.axis.bottom + 4 - (g.events.top - 2));
    CursorTimeLabel.place(g.side.left + 6, g.side.top + 2);
    for (int lane = 0; lane < analysis::kLaneCount; ++lane) {
        const int y = g.plot.top + lane * g.laneHeight + g.laneHeight / 2 - 14;
        valueLabels_[lane]->place(g.side.left + 6, y);
        valueLabels_[lane + analysis::kLaneCount]->place(g.side.left + 6, y + 15);
    }
    const int statsWidth = (g.bottom.right - g.bottom.left) * 2 / 3;
    SpanLabel.place(g.bottom.left + 2, g.bottom.top);
    AnchorCaption.place(g.bottom.left + statsWidth + 10, g.bottom.top);
    MoveWindow(StatsList.handle(), g.bottom.left, g.bottom.top + 16, statsWidth,
               g.bottom.bottom - g.bottom.top - 16, TRUE);
    MoveWindow(AnchorList.handle(), g.bottom.left + statsWidth + 10, g.bottom.top + 16,
               g.bottom.right - g.bottom.left - statsWidth - 10,
               g.bottom.bottom - g.bottom.top - 16, TRUE);
    MoveWindow(ChannelList.handle(), g.plot.left + 20, g.plot.top, 420,
               std::max<int>(100, g.plot.bottom - g.plot.top), TRUE);
    if (recording_) {
        const double start = view_.valid() ? view_.startMs : recording_->firstMs();
        const double end = view_.valid() ? view_.endMs : recording_->lastMs();
        view_ = {start, end, std::max(1, static_cast<int>(g.plot.right - g.plot.left))};
        if (!view_.valid()) view_ = analysis::WholeRecording(*recording_, view_.columns);
    }
    redraw();
}

// ---- Loading ----

void TFormAnalysis::startLoad(const std::string& path, bool second) {
    std::unique_ptr<analysis::ByteSource> source = analysis::OpenAnalysisFile(path);
    if (!source) {
        if (second) {
            MessageLabel.setText(rectext::kCannotOpen);
        } else {
            refusal_ = rectext::kCannotOpen;
            MessageLabel.setText(refusal_);
            redraw();
        }
        return;
    }
    auto job = std::make_unique<analysis::LoadJob>();
    job->start(std::move(source), [this, second] {
        post([this, second] {
            if (second)
                secondLoaded();
            else
                firstLoaded();
        });
    });
    (second ? secondJob_ : job_) = std::move(job);
    loadStartedMs_ = NowMs();
    ProgressTimer.setEnabled(true);
}

void TFormAnalysis::progressTick() {
    analysis::LoadJob* job = job_ ? job_.get() : secondJob_.get();
    if (!job) {
        ProgressTimer.setEnabled(false);
        return;
    }
    if (NowMs() - loadStartedMs_ < kShowProgressAfterMs) return;
    char percent[16];
    std::snprintf(percent, sizeof percent, "%d %%", static_cast<int>(job->progress() * 100));
    MessageLabel.setText(std::string("Открытие записи… ") + percent +
                         " (окно можно закрыть, открытие прервётся)");
}

void TFormAnalysis::firstLoaded() {
    if (!job_) return;
    analysis::LoadResult result = job_->take();
    job_.reset();
    MessageLabel.setText(result.message);
    if (result.status != analysis::LoadStatus::Ready || !result.recording) {
        refusal_ = result.message.empty() ? analysistext::kCannotRead : result.message;
        MessageLabel.setText(refusal_);
        redraw();
        return;
    }
    recording_ = result.recording;
    settings_ =
        analysis::LoadAnalysisSettings(registry_, recording_->family(), recording_->channelCount());
    const int fm = analysis::FindChannel(recording_->family(), "FREQ");
    const int mp = analysis::FindChannel(recording_->family(), "MAP");
    const int uo = analysis::FindChannel(recording_->family(), "UO2SENS");
    scatterX_ = fm >= 0 ? fm : 0;
    scatterY_ = mp >= 0 ? mp : 0;
    scatterColour_ = uo;
    // The remembered size, within the screen.
    RECT work{0, 0, 1366, 738};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int w = std::min<int>(settings_.width, work.right - work.left);
    const int h = std::min<int>(settings_.height, work.bottom - work.top);
    SetWindowPos(handle(), nullptr, work.left + (work.right - work.left - w) / 2,
                 work.top + (work.bottom - work.top - h) / 2, w, h, SWP_NOZORDER);
    view_ = analysis::WholeRecording(
        *recording_, std::max(1, static_cast<int>(geometry().plot.right - geometry().plot.left)));
    anchors_ = analysis::SpanAnchors(*recording_);
    std::vector<std::string> lines;
    for (const analysis::SpanAnchor& a : anchors_)
        lines.push_back(a.label);
    AnchorList.setLines(lines);
    std::vector<std::string> captions;
    for (const analysis::Channel& c : recording_->channels())
        captions.push_back(c.caption);
    ChannelList.setLines(captions);
    map_ = analysis::BuildFuelTrimMap(*recording_, analysis::WholeSpan(*recording_));
    for (ui::Picture* b : {&AllButton, &ReplayButton, &ExportButton, &LanesButton, &ScatterButton,
                           &MapButton, &SecondButton})
        b->setEnabled(true);
    char title[64];
    std::snprintf(title, sizeof title, "семейство %d, опросов: %zu", recording_->family(),
                  recording_->pollCount());
    TitleLabel.setText(title);
    moveCursorTo(recording_->firstMs());
    layout();
    updateSpan();
    if (!secondPath_.empty()) startLoad(secondPath_, true);
}

void TFormAnalysis::openSecond(const std::string& path) {
    if (!recording_ || secondJob_) return;
    secondPath_ = path;
    startLoad(path, true);
}

void TFormAnalysis::secondLoaded() {
    if (!secondJob_) return;
    analysis::LoadResult result = secondJob_->take();
    secondJob_.reset();
    if (result.status != analysis::LoadStatus::Ready || !result.recording) {
        MessageLabel.setText(result.message.empty() ? analysistext::kCannotRead : result.message);
        return;
    }
    const std::string problem = analysis::ComparisonProblem(*recording_, *result.recording);
    if (!problem.empty()) {
        MessageLabel.setText(problem);
        return;
    }
    second_ = result.recording;
    alignment_ = analysis::AlignAtStart(*recording_, *second_);
    alignMarker_ = 0;
    AlignButton.setVisible(true);
    secondMap_ = analysis::BuildFuelTrimMap(*second_, analysis::WholeSpan(*second_));
    MessageLabel.setText(result.message.empty()
                             ? "Вторая запись наложена поверх первой (выровнены по началу): " +
                                   secondPath_
                             : result.message);
    updateCursorLabels();
    updateSpan();
    redraw();
}

// ---- What the user does ----

void TFormAnalysis::nextAlignment() {
    if (!recording_ || !second_) return;
    // The next marker number after the current one that both drives have.
    int next = 0;
    for (const MarkerInfo& m : recording_->markers()) {
        analysis::Alignment at;
        if (m.number > alignMarker_ && (next == 0 || m.number < next) &&
            analysis::AlignAtMarkers(*recording_, m.number, *second_, m.number, at))
            next = m.number;
    }
    alignMarker_ = next;
    if (next == 0 || !analysis::AlignAtMarkers(*recording_, next, *second_, next, alignment_)) {
        alignment_ = analysis::AlignAtStart(*recording_, *second_);
        MessageLabel.setText("Вторая запись выровнена по началу.");
    } else {
        MessageLabel.setText("Вторая запись выровнена по метке " + std::to_string(next) +
                             " обеих записей.");
    }
    updateCursorLabels();
    updateSpan();
    redraw();
}

void TFormAnalysis::moveCursorTo(double timeMs) {
    if (!recording_) return;
    cursor_ = cursorReader_.at(*recording_, timeMs, settings_.lanes, decimal_);
    cursorMs_ = cursor_.poll == analysis::kNoPoll ? -1 : cursor_.timeMs;
    updateCursorLabels();
    redraw();
}

void TFormAnalysis::updateCursorLabels() {
    if (!recording_) return;
    CursorTimeLabel.setText(cursor_.clockText + "   " + cursor_.secondsText + " с" +
                            (cursor_.good ? "" : "   " + cursor_.failure));
    analysis::CursorReadout other;
    if (second_)
        other =
            cursorReader_.at(*second_, alignment_.toSecond(cursorMs_), settings_.lanes, decimal_);
    for (int lane = 0; lane < analysis::kLaneCount; ++lane) {
        std::string text, secondText;
        if (lane < static_cast<int>(settings_.lanes.size())) {
            const analysis::Channel& c = recording_->channels()[settings_.lanes[lane]];
            const std::string& v = lane < static_cast<int>(cursor_.values.size())
                                       ? cursor_.values[lane]
                                       : std::string();
            text = c.mnemonic + ": " + (v.empty() ? "—" : v) + (c.unit.empty() ? "" : " " + c.unit);
            if (second_ && lane < static_cast<int>(other.values.size()))
                secondText = "2: " + (other.values[lane].empty() ? "—" : other.values[lane]);
        }
        valueLabels_[lane]->setText(text);
        valueLabels_[lane + analysis::kLaneCount]->setText(secondText);
    }
}

void TFormAnalysis::selectSpan(double fromMs, double toMs) {
    if (!recording_) return;
    hasSpan_ = true;
    span_ = {std::min(fromMs, toMs), std::max(fromMs, toMs)};
    updateSpan();
    redraw();
}

void TFormAnalysis::updateSpan() {
    if (!recording_) return;
    const analysis::TimeSpan span = hasSpan_ ? span_ : analysis::WholeSpan(*recording_);
    stats_ = analysis::SpanStats(*recording_, settings_.lanes, span);
    if (second_)
        compared_ =
            analysis::CompareSpanStats(*recording_, *second_, alignment_, settings_.lanes, span);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < stats_.size(); ++i) {
        const analysis::Channel& c = recording_->channels()[stats_[i].channel];
        lines.push_back(analysis::StatsLine(c, stats_[i], decimal_));
        if (second_ && i < compared_.size()) {
            lines.push_back("   2-я: " + analysis::StatsLine(c, compared_[i].second, decimal_));
            lines.push_back("   разница: " + analysis::DiffLine(c, compared_[i], decimal_));
        }
    }
    StatsList.setLines(lines);
    SpanLabel.setText(
        (hasSpan_ ? "Участок " : "Вся запись ") +
        analysis::RecordedClockText(*recording_, span.fromMs, false) + " — " +
        analysis::RecordedClockText(*recording_, span.toMs, false) + ", " +
        analysis::DurationText(stats_.empty() ? 0 : stats_.front().durationMs, decimal_) +
        (hasSpan_ ? "  (Shift + перетаскивание: другой участок)" : ""));
    if (mode_ == View::Scatter || mode_ == View::Map) redraw();
}

void TFormAnalysis::showWhole() {
    if (!recording_) return;
    view_ = analysis::WholeRecording(*recording_, view_.columns);
    hasSpan_ = false;
    mapCell_ = -1;
    lit_.clear();
    updateSpan();
    redraw();
}

void TFormAnalysis::sendReplayToCursor() {
    if (!recording_ || cursorMs_ < 0 || !onSeek_) return;
    onSeek_(static_cast<uint32_t>(cursorMs_));
}

void TFormAnalysis::setView(View view) {
    mode_ = view;
    ShowWindow(ChannelList.handle(), SW_HIDE);
    choosing_ = -1;
    redraw();
}

void TFormAnalysis::exportTo(const std::string& path) {
    if (!recording_) return;
    const char decimal = ChooseDecimalSeparator(UserLocaleText(LocaleItem::DecimalSeparator));
    const CsvOptions options =
        ExcelCsv(ChooseListSeparator(UserLocaleText(LocaleItem::ListSeparator), decimal), decimal);
    CsvSpan span;
    if (hasSpan_) {
        span.fromMs = static_cast<uint32_t>(std::max(0.0, std::ceil(span_.fromMs)));
        span.toMs = static_cast<uint32_t>(std::max(0.0, std::floor(span_.toMs)));
    }
    Win32RecordFile file;
    const FileError error = ExportCsv(recording_->reader(), options, span, file, path);
    MessageLabel.setText(ExportMessage(error, path));
}

void TFormAnalysis::exportPressed() {
    const std::string file = AskCsvPath(handle(), path_);
    if (!file.empty()) exportTo(file);
}

void TFormAnalysis::secondPressed() {
    ui::FileDialogRequest request;
    request.title = L"Вторая запись";
    request.filter = L"Записи MOTOSKOP (*.mrec)\0*.mrec\0Все файлы\0*.*\0";
    const std::string file = ui::ChooseFileToOpen(handle(), request);
    if (!file.empty()) openSecond(file);
}

void TFormAnalysis::toggleMaximise() {
    // By hand: a borderless window is laid over the work area, not the whole screen.
    if (!maximised_) {
        GetWindowRect(handle(), &restored_);
        RECT work{0, 0, 1366, 738};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        maximised_ = true;
        SetWindowPos(handle(), nullptr, work.left, work.top, work.right - work.left,
                     work.bottom - work.top, SWP_NOZORDER);
    } else {
        maximised_ = false;
        SetWindowPos(handle(), nullptr, restored_.left, restored_.top,
                     restored_.right - restored_.left, restored_.bottom - restored_.top,
                     SWP_NOZORDER);
    }
}

void TFormAnalysis::saveSettings() {
    if (!recording_ || maximised_) {
        if (recording_) analysis::SaveAnalysisSettings(registry_, recording_->family(), settings_);
        return;
    }
    settings_.width = clientWidth();
    settings_.height = clientHeight();
    analysis::SaveAnalysisSettings(registry_, recording_->family(), settings_);
}

void TFormAnalysis::chooseChannel(int target) {
    if (!recording_) return;
    choosing_ = target;
    ShowWindow(ChannelList.handle(), SW_SHOW);
    SetFocus(ChannelList.handle());
}

void TFormAnalysis::channelChosen(std::size_t line) {
    ShowWindow(ChannelList.handle(), SW_HIDE);
    const int row = static_cast<int>(line);
    if (choosing_ >= 0 && choosing_ < static_cast<int>(settings_.lanes.size())) {
        settings_.lanes[choosing_] = row;
        saveSettings();
        moveCursorTo(cursorMs_ < 0 ? recording_->firstMs() : cursorMs_);
        updateSpan();
    } else if (choosing_ == kChooseScatterX) {
        scatterX_ = row;
    } else if (choosing_ == kChooseScatterY) {
        scatterY_ = row;
    } else if (choosing_ == kChooseScatterColour) {
        scatterColour_ = row;
    }
    choosing_ = -1;
    SetFocus(handle());
    redraw();
}

void TFormAnalysis::anchorChosen(std::size_t line) {
    if (line >= anchors_.size()) return;
    if (anchorPicked_ < 0) {
        anchorPicked_ = static_cast<int>(line);
        moveCursorTo(anchors_[line].timeMs);
        SpanLabel.setText("Начало участка: " + anchors_[line].label + " — выберите его конец");
        return;
    }
    const analysis::TimeSpan span = analysis::SpanBetween(anchors_[anchorPicked_], anchors_[line]);
    anchorPicked_ = -1;
    selectSpan(span.fromMs, span.toMs);
}

// ---- Mouse and keys ----

double TFormAnalysis::timeAtX(int x) const {
    const Geometry g = geometry();
    return view_.timeOf(x - g.plot.left + 0.5);
}

int TFormAnalysis::xOfTime(double timeMs) const {
    const Geometry g = geometry();
    return g.plot.left + static_cast<int>(std::floor(view_.columnOf(timeMs)));
}

void TFormAnalysis::mouseDown(int x, int y, bool shift, bool inAxis) {
    SetFocus(handle());
    const Geometry g = geometry();
    if (mode_ == View::Scatter) {
        clickScatter(x, y);
        return;
    }
    if (mode_ == View::Map) {
        clickMap(x, y);
        return;
    }
    // The lane's name: choose its channel.
    if (x < g.plot.left && y >= g.plot.top && y < g.plot.bottom) {
        chooseChannel(std::min<int>(analysis::kLaneCount - 1, (y - g.plot.top) / g.laneHeight));
        return;
    }
    drag_ = inAxis ? Drag::AxisZoom : shift ? Drag::Span : Drag::Pan;
    dragX_ = dragNowX_ = x;
    dragView_ = view_;
    SetCapture(handle());
}

void TFormAnalysis::mouseMove(int x, int y) {
    const Geometry g = geometry();
    if (!recording_ || mode_ != View::Lanes) return;
    if (drag_ == Drag::Pan) {
        view_ = analysis::Panned(*recording_, dragView_, -(x - dragX_) * dragView_.msPerColumn());
        redraw();
        return;
    }
    if (drag_ == Drag::Span || drag_ == Drag::AxisZoom) {
        dragNowX_ = x;
        redraw();
        return;
    }
    if (x >= g.plot.left && x < g.plot.right && y >= g.events.top && y < g.axis.bottom)
        moveCursorTo(timeAtX(x));
}

void TFormAnalysis::mouseUp(int x, int) {
    const Drag drag = drag_;
    drag_ = Drag::None;
    if (GetCapture() == handle()) ReleaseCapture();
    if (!recording_) return;
    const bool moved = std::abs(x - dragX_) > kDragSlop;
    if (drag == Drag::Span && moved) {
        selectSpan(timeAtX(dragX_), timeAtX(x));
    } else if (drag == Drag::AxisZoom && moved) {
        const double a = timeAtX(std::min(x, dragX_)), b = timeAtX(std::max(x, dragX_));
        view_ = analysis::Zoomed(*recording_, {a, b, view_.columns}, (a + b) / 2, 1.0);
        redraw();
    } else if (!moved) {
        moveCursorTo(timeAtX(x));
    }
}

void TFormAnalysis::doubleClick(int x, int y) {
    const Geometry g = geometry();
    if (mode_ != View::Lanes || x < g.plot.left || x >= g.plot.right || y < g.events.top ||
        y >= g.axis.bottom)
        return;
    moveCursorTo(timeAtX(x));
    sendReplayToCursor();
}

void TFormAnalysis::wheel(int x, int delta) {
    if (!recording_ || mode_ != View::Lanes) return;
    const Geometry g = geometry();
    const int at = std::clamp(x, static_cast<int>(g.plot.left), static_cast<int>(g.plot.right) - 1);
    const double factor = delta > 0 ? kWheelZoom : 1 / kWheelZoom;
    view_ = analysis::Zoomed(*recording_, view_, timeAtX(at), factor);
    redraw();
}

void TFormAnalysis::key(WPARAM code) {
    if (!recording_ || mode_ != View::Lanes) return;
    const double width = view_.endMs - view_.startMs;
    switch (code) {
    case VK_LEFT:
    case VK_RIGHT: {
        std::size_t poll = cursor_.poll == analysis::kNoPoll ? 0 : cursor_.poll;
        if (code == VK_LEFT && poll > 0) --poll;
        if (code == VK_RIGHT && poll + 1 < recording_->pollCount()) ++poll;
        const double t = recording_->time(poll);
        if (t < view_.startMs || t > view_.endMs)
            view_ = analysis::Panned(*recording_, view_, t - (view_.startMs + view_.endMs) / 2);
        moveCursorTo(t);
        return;
    }
    case VK_PRIOR:
        view_ = analysis::Panned(*recording_, view_, -width);
        break;
    case VK_NEXT:
        view_ = analysis::Panned(*recording_, view_, width);
        break;
    case VK_HOME:
        view_ = analysis::Panned(*recording_, view_, recording_->firstMs() - view_.startMs);
        moveCursorTo(recording_->firstMs());
        break;
    case VK_END:
        view_ = analysis::Panned(*recording_, view_, recording_->lastMs() - view_.endMs);
        moveCursorTo(recording_->lastMs());
        break;
    default:
        return;
    }
    redraw();
}

void TFormAnalysis::clickScatter(int x, int y) {
    const Geometry g = geometry();
    if (!recording_) return;
    // The captions under and beside the plot choose its channels.
    if (y >= g.axis.top && x < g.plot.left + 300) {
        chooseChannel(kChooseScatterX);
        return;
    }
    if (x < g.plot.left) {
        chooseChannel(kChooseScatterY);
        return;
    }
    if (x >= g.plot.right - 40 && y < g.plot.top + 20) {
        chooseChannel(kChooseScatterColour);
        return;
    }
    const int column = x - g.plot.left, row = g.plot.bottom - 1 - y;
    if (scatter_.width == 0 || column < 0 || row < 0 || column >= scatter_.width ||
        row >= scatter_.height)
        return;
    const std::size_t poll = analysis::ScatterPollNear(scatter_, column, row, kScatterPickRadius);
    if (poll == analysis::kNoPoll) return;
    moveCursorTo(recording_->time(poll));
    MessageLabel.setText("Точка разброса: " + cursor_.clockText);
}

void TFormAnalysis::clickMap(int x, int y) {
    const Geometry g = geometry();
    if (!recording_ || !map_.available) return;
    const analysis::FuelTrimCell* hit = nullptr;
    const POINT p{x, y};
    for (const analysis::FuelTrimCell& cell : map_.cells) {
        const RECT box = mapCellBox(g, cell.cell);
        if (PtInRect(&box, p)) hit = &cell;
    }
    if (!hit) return;
    mapCell_ = hit->cell;
    MessageLabel.setText("Ячейка " + std::to_string(mapCell_) +
                         ": её опросы подсвечены на ленте (кнопка «Всё» снимает подсветку)");
    setView(View::Lanes);
}

LRESULT TFormAnalysis::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    const Geometry g = geometry();
    const bool inPlot = x >= g.plot.left - (x < g.plot.left ? kLaneMargin : 0) &&
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
        constexpr int kEdge = 6;
        const bool left = p.x < kEdge, right = p.x >= clientWidth() - kEdge;
        const bool top = p.y < kEdge, bottom = p.y >= clientHeight() - kEdge;
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
        if (p.y < kToolbarHeight && p.x > toolbarRight && p.x < MaximiseButton.left())
            return maximised_ ? HTCLIENT : HTCAPTION;
        return HTCLIENT;
    }
    default:
        break;
    }
    return ui::Form::handleMessage(msg, wp, lp);
}

// ---- Drawing ----

void TFormAnalysis::redraw() {
    invalidateAll();
}

void TFormAnalysis::paintMessage(HDC dc, const RECT& area, const std::string& text) {
    Well(dc, area);
    TextIn(dc, area, text, ui::kLabelAmber, DT_CENTER | DT_VCENTER | DT_WORDBREAK);
}

void TFormAnalysis::paintPlot(HDC dc) {
    const Geometry g = geometry();
    // The face: panel, the frame of the toolbar, the well of the side readout.
    RECT toolbar{2, 2, clientWidth() - 2, kToolbarHeight};
    Fill(dc, toolbar, RGB(38, 44, 51));
    Well(dc, g.side);
    const RECT all{g.plot.left, g.events.top, g.plot.right, g.axis.bottom};
    if (!recording_) {
        paintMessage(dc, all, refusal_.empty() ? "Открытие записи…" : refusal_);
        return;
    }
    switch (mode_) {
    case View::Lanes:
        paintLanes(dc, g);
        break;
    case View::Scatter:
        paintScatter(dc, g);
        break;
    case View::Map:
        paintMap(dc, g);
        break;
    }
}

void TFormAnalysis::paintLanes(HDC dc, const Geometry& g) {
    Well(dc, {g.plot.left, g.events.top, g.plot.right, g.axis.bottom});
    const int columns = g.plot.right - g.plot.left;
    if (columns <= 0 || !view_.valid()) return;
    // The span and the lit cell's polls under everything.
    auto band = [&](int x0, int x1, COLORREF colour) {
        x0 = std::max<int>(x0, g.plot.left);
        x1 = std::min<int>(x1, g.plot.right);
        if (x1 > x0) Fill(dc, {x0, g.events.top, x1, g.axis.top}, colour);
    };
    if (hasSpan_) band(xOfTime(span_.fromMs), xOfTime(span_.toMs) + 1, kSpanColour);
    if (drag_ == Drag::Span || drag_ == Drag::AxisZoom)
        band(std::min(dragX_, dragNowX_), std::max(dragX_, dragNowX_), kSpanColour);
    if (mapCell_ >= 0) {
        if (const analysis::FuelTrimCell* cell = map_.find(mapCell_)) {
            const std::vector<uint8_t> lit =
                analysis::HighlightColumns(*recording_, cell->pollList, view_);
            for (int c = 0; c < static_cast<int>(lit.size()); ++c)
                if (lit[c]) band(g.plot.left + c, g.plot.left + c + 1, kLitColour);
        }
    }
    for (int lane = 0; lane < static_cast<int>(settings_.lanes.size()); ++lane) {
        const RECT r{g.plot.left, g.plot.top + lane * g.laneHeight, g.plot.right,
                     g.plot.top + (lane + 1) * g.laneHeight - 3};
        const int channel = settings_.lanes[lane];
        const analysis::Channel& c = recording_->channels()[channel];
        // The lane's name and scale on the left, a click there chooses its channel.
        Text(dc, 8, r.top + (r.bottom - r.top) / 2 - 7, LaneName(c), ui::kLabelGreen, true);
        Text(dc, g.plot.left - 4, r.top, c.scale.topText, ui::kLabelAmber, false, TA_RIGHT);
        Text(dc, g.plot.left - 4, r.bottom - 13, c.scale.bottomText, ui::kLabelAmber, false,
             TA_RIGHT);
        HPEN grid = CreatePen(PS_SOLID, 1, kGridColour);
        HGDIOBJ old = SelectObject(dc, grid);
        MoveToEx(dc, r.left, r.bottom + 1, nullptr);
        LineTo(dc, r.right, r.bottom + 1);
        SelectObject(dc, old);
        DeleteObject(grid);
        // The second drive over the first.
        paintLane(dc, r, *recording_, channel, view_, kFirstColour);
        if (second_)
            paintLane(dc, r, *second_, channel, alignment_.secondView(view_), kSecondColour);
    }
    // The cursor.
    if (cursorMs_ >= view_.startMs && cursorMs_ <= view_.endMs) {
        HPEN pen = CreatePen(PS_DOT, 1, kCursorColour);
        HGDIOBJ old = SelectObject(dc, pen);
        SetBkMode(dc, TRANSPARENT);
        const int x = xOfTime(cursorMs_);
        MoveToEx(dc, x, g.events.top, nullptr);
        LineTo(dc, x, g.axis.top);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    paintAxis(dc, g);
}

void TFormAnalysis::paintLane(HDC dc, const RECT& r, const analysis::AnalysedRecording& rec,
                              int channel, const analysis::TimeView& view, COLORREF colour) {
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
                Fill(dc, cell, all ? colour : any ? Dim(colour) : RGB(18, 26, 22));
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

void TFormAnalysis::paintAxis(HDC dc, const Geometry& g) {
    Fill(dc, g.axis, RGB(10, 16, 12));
    for (const analysis::TimeTick& t : analysis::TimeTicks(*recording_, view_)) {
        const int x = g.plot.left + static_cast<int>(t.column);
        HPEN pen = CreatePen(PS_SOLID, 1, kGridColour);
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, x, g.plot.top, nullptr);
        LineTo(dc, x, g.axis.top + 4);
        SelectObject(dc, old);
        DeleteObject(pen);
        Text(dc, x, g.axis.top + 4, t.text, ui::kLabelGreen, false, TA_CENTER);
    }
    // Events and markers: a tick in the strip, the text where there is room.
    int freeFrom = g.plot.left;
    for (const analysis::AxisEvent& e : analysis::EventsInView(*recording_, view_)) {
        const int x = g.plot.left + static_cast<int>(e.column);
        const bool marker = e.event->kind == analysis::TimelineEvent::Kind::Marker;
        const COLORREF colour = marker ? kMarkerColour : kEventColour;
        HPEN pen = CreatePen(PS_SOLID, 1, colour);
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, x, g.events.top, nullptr);
        LineTo(dc, x, marker ? g.axis.top : g.events.bottom);
        SelectObject(dc, old);
        DeleteObject(pen);
        if (x + 2 >= freeFrom) {
            std::string text = e.event->text;
            if (text.size() > 40) text = text.substr(0, 38) + "…";
            const int width = TextWidth(dc, text);
            const RECT box{x + 2, g.events.top + 2, std::min<int>(x + 2 + width, g.plot.right),
                           g.events.bottom};
            TextIn(dc, box, text, colour, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
            freeFrom = x + width + 8;
        }
    }
}

void TFormAnalysis::paintScatter(HDC dc, const Geometry& g) {
    const RECT area{g.plot.left, g.plot.top, g.plot.right, g.plot.bottom};
    Well(dc, {g.plot.left, g.events.top, g.plot.right, g.axis.bottom});
    analysis::ScatterRequest request;
    request.xChannel = scatterX_;
    request.yChannel = scatterY_;
    request.colourChannel = scatterColour_;
    request.span = hasSpan_ ? span_ : analysis::WholeSpan(*recording_);
    request.width = area.right - area.left;
    request.height = area.bottom - area.top;
    request.decimalSymbol = decimal_;
    scatter_ = analysis::BuildScatter(*recording_, request);
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
    const auto& channels = recording_->channels();
    Text(dc, area.left, g.axis.top + 4,
         "X: " + channels[scatterX_].caption + "   (" + scatter_.x.lowText + " … " +
             scatter_.x.highText + ")",
         ui::kLabelGreen);
    Text(dc, 8, area.top + (area.bottom - area.top) / 2 - 7, "Y: " + channels[scatterY_].mnemonic,
         ui::kLabelGreen, true);
    Text(dc, area.left - 4, area.top, scatter_.y.highText, ui::kLabelAmber, false, TA_RIGHT);
    Text(dc, area.left - 4, area.bottom - 13, scatter_.y.lowText, ui::kLabelAmber, false, TA_RIGHT);
    // The legend, top right.
    if (scatter_.colour.channel >= 0) {
        const int lx = area.right - 200, ly = area.top + 6;
        Text(dc, lx, ly,
             "Цвет: " + channels[scatterColour_].mnemonic +
                 (scatter_.colourIsYesNo ? " (доля «Да»)" : ""),
             ui::kLabelAmber);
        for (int i = 0; i < 180; ++i)
            Fill(dc, {lx + i, ly + 16, lx + i + 1, ly + 26}, LegendColour(i / 179.0));
        Text(dc, lx, ly + 28, scatter_.colourIsYesNo ? "0 %" : scatter_.colour.lowText,
             ui::kLabelGreen);
        Text(dc, lx + 180, ly + 28, scatter_.colourIsYesNo ? "100 %" : scatter_.colour.highText,
             ui::kLabelGreen, false, TA_RIGHT);
    }
    Text(dc, area.left + 4, g.events.top + 2,
         "точек: " + std::to_string(scatter_.points) +
             "   (щелчок по подписи оси или цвета — выбрать канал, по точке — её время)",
         ui::kLabelAmber);
}

RECT TFormAnalysis::mapCellBox(const Geometry& g, int cell) const {
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

void TFormAnalysis::paintMap(HDC dc, const Geometry& g) {
    Well(dc, {g.plot.left, g.events.top, g.plot.right, g.axis.bottom});
    const analysis::TimeSpan span = hasSpan_ ? span_ : analysis::WholeSpan(*recording_);
    map_ = analysis::BuildFuelTrimMap(*recording_, span);
    if (!map_.available) {
        paintMessage(dc, g.plot, "В ответе этого семейства нет ячеек самообучения.");
        return;
    }
    std::vector<analysis::CellSideBySide> both;
    if (second_) {
        secondMap_ = analysis::BuildFuelTrimMap(*second_, alignment_.secondSpan(span));
        both = analysis::CompareFuelTrim(map_, secondMap_);
    }
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
        const RECT box = mapCellBox(g, cell.cell);
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
        if (decimal_ != '.') std::replace(line.begin(), line.end(), '.', decimal_);
        RECT inner = box;
        inner.top += 3;
        TextIn(dc, inner, line, RGB(0, 0, 0), DT_CENTER | DT_WORDBREAK);
        if (cell.cell == mapCell_) {
            HBRUSH frame = CreateSolidBrush(ui::kLabelAmber);
            FrameRect(dc, &box, frame);
            DeleteObject(frame);
        }
    }
}
