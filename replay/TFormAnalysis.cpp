#include "replay/TFormAnalysis.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "analysis/AnalysisTexts.h"
#include "analysis/TimeAxis.h"
#include "assets/resource.h"
#include "platform/TextConversion.h"
#include "platform/Win32System.h"
#include "record/CsvExport.h"
#include "record/RecordFile_win32.h"
#include "record/RecordTexts.h"
#include "replay/AnalysisDrawing_win32.h"
#include "replay/AnalysisFile_win32.h"
#include "replay/CsvExportCommand.h"
#include "replay/CsvSaveDialog_win32.h"
#include "replay/ReplayTexts.h"
#include "startup/SystemChoices.h"
#include "ui/Colours.h"
#include "ui/FileDialog.h"

using namespace analysisdraw;

namespace {

constexpr UINT kProgressMs = 100;
constexpr long long kShowProgressAfterMs = 500;

long long NowMs() {
    using clock = std::chrono::steady_clock;
    return std::chrono::duration_cast<std::chrono::milliseconds>(clock::now().time_since_epoch())
        .count();
}

// The screen's work area (a guess where the system cannot say).
RECT WorkArea() {
    RECT work{0, 0, 1366, 738};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
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
    scene_.decimal = ChooseDecimalSeparator(UserLocaleText(LocaleItem::DecimalSeparator));
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
    const RECT work = WorkArea();
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
    if (scene_.first) saveSettings();
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
    for (ui::Label* l : {&TitleLabel, &MessageLabel, &CursorTimeLabel}) {
        l->setColour(ui::kLabelGreen);
        add(*l);
    }
    TitleLabel.setColour(ui::kLabelAmber);
    TitleLabel.setBold(true);
    CursorTimeLabel.setColour(ui::kLabelAmber);
    CursorTimeLabel.setBold(true);
    spanPanel_.build(*this);
    spanPanel_.OnSpanStart = [this](double timeMs) { moveCursorTo(timeMs); };
    spanPanel_.OnSpan = [this](const analysis::TimeSpan& s) { selectSpan(s.fromMs, s.toMs); };
    for (int lane = 0; lane < analysis::kLaneCount * 2; ++lane) {
        ownedLabels_.push_back(std::make_unique<ui::Label>());
        ui::Label& l = *ownedLabels_.back();
        l.setColour(lane < analysis::kLaneCount ? kFirstColour : kSecondColour);
        l.setBold(true);
        add(l);
        valueLabels_.push_back(&l);
    }
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

AnalysisGeometry TFormAnalysis::geometry() const {
    return AnalysisLayout(clientWidth(), clientHeight());
}

int TFormAnalysis::lanesTop() const {
    return geometry().plot.top;
}

int TFormAnalysis::lanesBottom() const {
    return geometry().plot.bottom;
}

void TFormAnalysis::layout() {
    const AnalysisGeometry g = geometry();
    int x = 8;
    for (ui::Picture* b : {&AllButton, &ReplayButton, &ExportButton, &LanesButton, &ScatterButton,
                           &MapButton, &SecondButton, &AlignButton}) {
        b->setBounds(x, 7, b->width(), 20);
        x += b->width() + 6;
    }
    CloseButton.setBounds(clientWidth() - 34, 7, 26, 20);
    MaximiseButton.setBounds(clientWidth() - 64, 7, 26, 20);
    TitleLabel.place(x + 10, 10);
    MessageLabel.place(10, kAnalysisToolbarHeight + 2);
    plot_->setBounds(0, g.events.top - 2, g.side.left - 2, g.axis.bottom + 4 - (g.events.top - 2));
    CursorTimeLabel.place(g.side.left + 6, g.side.top + 2);
    for (int lane = 0; lane < analysis::kLaneCount; ++lane) {
        const int y = g.plot.top + lane * g.laneHeight + g.laneHeight / 2 - 14;
        valueLabels_[lane]->place(g.side.left + 6, y);
        valueLabels_[lane + analysis::kLaneCount]->place(g.side.left + 6, y + 15);
    }
    spanPanel_.place(g);
    MoveWindow(ChannelList.handle(), g.plot.left + 20, g.plot.top, 420,
               std::max<int>(100, g.plot.bottom - g.plot.top), TRUE);
    if (scene_.first) {
        analysis::TimeView& view = scene_.view;
        const double start = view.valid() ? view.startMs : scene_.first->firstMs();
        const double end = view.valid() ? view.endMs : scene_.first->lastMs();
        view = {start, end, std::max(1, static_cast<int>(g.plot.right - g.plot.left))};
        if (!view.valid()) view = analysis::WholeRecording(*scene_.first, view.columns);
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
    scene_.first = result.recording;
    const analysis::AnalysedRecording& rec = *scene_.first;
    scene_.settings = analysis::LoadAnalysisSettings(registry_, rec.family(), rec.channelCount());
    scatterView_.chooseDefaults(rec.family());
    // The remembered size, within the screen.
    const RECT work = WorkArea();
    const int w = std::min<int>(scene_.settings.width, work.right - work.left);
    const int h = std::min<int>(scene_.settings.height, work.bottom - work.top);
    SetWindowPos(handle(), nullptr, work.left + (work.right - work.left - w) / 2,
                 work.top + (work.bottom - work.top - h) / 2, w, h, SWP_NOZORDER);
    scene_.view = analysis::WholeRecording(
        rec, std::max(1, static_cast<int>(geometry().plot.right - geometry().plot.left)));
    spanPanel_.setAnchors(rec);
    std::vector<std::string> captions;
    for (const analysis::Channel& c : rec.channels())
        captions.push_back(c.caption);
    ChannelList.setLines(captions);
    mapView_.build(scene_);
    for (ui::Picture* b : {&AllButton, &ReplayButton, &ExportButton, &LanesButton, &ScatterButton,
                           &MapButton, &SecondButton})
        b->setEnabled(true);
    char title[64];
    std::snprintf(title, sizeof title, "семейство %d, опросов: %zu", rec.family(), rec.pollCount());
    TitleLabel.setText(title);
    moveCursorTo(rec.firstMs());
    layout();
    updateSpan();
    if (!secondPath_.empty()) startLoad(secondPath_, true);
}

void TFormAnalysis::openSecond(const std::string& path) {
    if (!scene_.first || secondJob_) return;
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
    const std::string problem = analysis::ComparisonProblem(*scene_.first, *result.recording);
    if (!problem.empty()) {
        MessageLabel.setText(problem);
        return;
    }
    scene_.second = result.recording;
    scene_.alignment = analysis::AlignAtStart(*scene_.first, *scene_.second);
    alignMarker_ = 0;
    AlignButton.setVisible(true);
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
    if (!scene_.first || !scene_.second) return;
    const analysis::AnalysedRecording &first = *scene_.first, &second = *scene_.second;
    // The next marker number after the current one that both drives have.
    int next = 0;
    for (const MarkerInfo& m : first.markers()) {
        analysis::Alignment at;
        if (m.number > alignMarker_ && (next == 0 || m.number < next) &&
            analysis::AlignAtMarkers(first, m.number, second, m.number, at))
            next = m.number;
    }
    alignMarker_ = next;
    if (next == 0 || !analysis::AlignAtMarkers(first, next, second, next, scene_.alignment)) {
        scene_.alignment = analysis::AlignAtStart(first, second);
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
    if (!scene_.first) return;
    cursor_ = cursorReader_.at(*scene_.first, timeMs, scene_.lanes(), scene_.decimal);
    scene_.cursorMs = cursor_.poll == analysis::kNoPoll ? -1 : cursor_.timeMs;
    updateCursorLabels();
    redraw();
}

void TFormAnalysis::updateCursorLabels() {
    if (!scene_.first) return;
    CursorTimeLabel.setText(cursor_.clockText + "   " + cursor_.secondsText + " с" +
                            (cursor_.good ? "" : "   " + cursor_.failure));
    analysis::CursorReadout other;
    if (scene_.second)
        other = cursorReader_.at(*scene_.second, scene_.alignment.toSecond(scene_.cursorMs),
                                 scene_.lanes(), scene_.decimal);
    for (int lane = 0; lane < analysis::kLaneCount; ++lane) {
        std::string text, secondText;
        if (lane < static_cast<int>(scene_.lanes().size())) {
            const analysis::Channel& c = scene_.first->channels()[scene_.lanes()[lane]];
            const std::string& v = lane < static_cast<int>(cursor_.values.size())
                                       ? cursor_.values[lane]
                                       : std::string();
            text = c.mnemonic + ": " + (v.empty() ? "—" : v) + (c.unit.empty() ? "" : " " + c.unit);
            if (scene_.second && lane < static_cast<int>(other.values.size()))
                secondText = "2: " + (other.values[lane].empty() ? "—" : other.values[lane]);
        }
        valueLabels_[lane]->setText(text);
        valueLabels_[lane + analysis::kLaneCount]->setText(secondText);
    }
}

void TFormAnalysis::selectSpan(double fromMs, double toMs) {
    if (!scene_.first) return;
    scene_.hasSpan = true;
    scene_.span = {std::min(fromMs, toMs), std::max(fromMs, toMs)};
    updateSpan();
    redraw();
}

void TFormAnalysis::updateSpan() {
    if (!scene_.first) return;
    spanPanel_.update(scene_);
    if (mode_ == View::Scatter || mode_ == View::Map) redraw();
}

void TFormAnalysis::showWhole() {
    if (!scene_.first) return;
    scene_.view = analysis::WholeRecording(*scene_.first, scene_.view.columns);
    scene_.hasSpan = false;
    mapView_.setLitCell(-1);
    lanesView_.clearLight();
    updateSpan();
    redraw();
}

void TFormAnalysis::sendReplayToCursor() {
    if (!scene_.first || scene_.cursorMs < 0 || !onSeek_) return;
    onSeek_(static_cast<uint32_t>(scene_.cursorMs));
}

void TFormAnalysis::setView(View view) {
    mode_ = view;
    ShowWindow(ChannelList.handle(), SW_HIDE);
    choosing_ = -1;
    redraw();
}

void TFormAnalysis::exportTo(const std::string& path) {
    if (!scene_.first) return;
    const char decimal = ChooseDecimalSeparator(UserLocaleText(LocaleItem::DecimalSeparator));
    const CsvOptions options =
        ExcelCsv(ChooseListSeparator(UserLocaleText(LocaleItem::ListSeparator), decimal), decimal);
    CsvSpan span;
    if (scene_.hasSpan) {
        span.fromMs = static_cast<uint32_t>(std::max(0.0, std::ceil(scene_.span.fromMs)));
        span.toMs = static_cast<uint32_t>(std::max(0.0, std::floor(scene_.span.toMs)));
    }
    Win32RecordFile file;
    const FileError error = ExportCsv(scene_.first->reader(), options, span, file, path);
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
        const RECT work = WorkArea();
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
    if (!scene_.first) return;
    if (!maximised_) {
        scene_.settings.width = clientWidth();
        scene_.settings.height = clientHeight();
    }
    analysis::SaveAnalysisSettings(registry_, scene_.first->family(), scene_.settings);
}

void TFormAnalysis::chooseChannel(int target) {
    if (!scene_.first) return;
    choosing_ = target;
    ShowWindow(ChannelList.handle(), SW_SHOW);
    SetFocus(ChannelList.handle());
}

void TFormAnalysis::channelChosen(std::size_t line) {
    ShowWindow(ChannelList.handle(), SW_HIDE);
    const int row = static_cast<int>(line);
    std::vector<int>& lanes = scene_.settings.lanes;
    if (choosing_ >= 0 && choosing_ < static_cast<int>(lanes.size())) {
        lanes[choosing_] = row;
        saveSettings();
        moveCursorTo(scene_.cursorMs < 0 ? scene_.first->firstMs() : scene_.cursorMs);
        updateSpan();
    } else if (choosing_ == kChooseScatterX) {
        scatterView_.setX(row);
    } else if (choosing_ == kChooseScatterY) {
        scatterView_.setY(row);
    } else if (choosing_ == kChooseScatterColour) {
        scatterView_.setColour(row);
    }
    choosing_ = -1;
    SetFocus(handle());
    redraw();
}

// ---- Drawing ----

void TFormAnalysis::redraw() {
    invalidateAll();
}

void TFormAnalysis::paintPlot(HDC dc) {
    const AnalysisGeometry g = geometry();
    // The face: panel, the frame of the toolbar, the well of the side readout.
    Fill(dc, RECT{2, 2, clientWidth() - 2, kAnalysisToolbarHeight}, kToolbarColour);
    Well(dc, g.side);
    if (!scene_.first) {
        Message(dc, g.well(), refusal_.empty() ? "Открытие записи…" : refusal_);
        return;
    }
    switch (mode_) {
    case View::Lanes:
        lanesView_.paint(dc, g, scene_);
        break;
    case View::Scatter:
        scatterView_.paint(dc, g, scene_);
        break;
    case View::Map:
        mapView_.paint(dc, g, scene_);
        break;
    }
}
