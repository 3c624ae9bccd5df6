#include "replay/TFormAnalysis.h"

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "analysis/AnalysisTexts.h"
#include "analysis/TimeAxis.h"
#include "assets/resource.h"
#include "checks/CheckInfo.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/TextConversion.h"
#include "platform/Win32System.h"
#include "record/CsvExport.h"
#include "record/FileErrorTexts.h"
#include "record/RecordFile_win32.h"
#include "record/RecordTexts.h"
#include "record/RecordingFolder_win32.h"
#include "replay/AnalysisDrawing_win32.h"
#include "replay/AnalysisFile_win32.h"
#include "replay/CsvExportCommand.h"
#include "replay/SaveDialogs_win32.h"
#include "replay/ReplayTexts.h"
#include "report/ReportCommand.h"
#include "report/ReportModel.h"
#include "settings/ReportSettings.h"
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

// The saved report in the default browser.
bool OpenInBrowser(const std::string& path) {
    const HINSTANCE done =
        ShellExecuteW(nullptr, L"open", Widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(done) > 32;
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
    OpenReport = OpenInBrowser;
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
        {&AllButton,      50,  IDB_ANALYSIS_ALL,      IDB_ANALYSIS_ALL_LIT,      [this] { showWhole(); }},
        {&ReplayButton,   86,  IDB_ANALYSIS_REPLAY,   IDB_ANALYSIS_REPLAY_LIT,   [this] { sendReplayToCursor(); }},
        {&ExportButton,   108, IDB_ANALYSIS_EXPORT,   IDB_ANALYSIS_EXPORT_LIT,   [this] { exportPressed(); }},
        {&LanesButton,    66,  IDB_ANALYSIS_LANES,    IDB_ANALYSIS_LANES_LIT,    [this] { setView(View::Lanes); }},
        {&ScatterButton,  76,  IDB_ANALYSIS_SCATTER,  IDB_ANALYSIS_SCATTER_LIT,  [this] { setView(View::Scatter); }},
        {&MapButton,      66,  IDB_ANALYSIS_MAP,      IDB_ANALYSIS_MAP_LIT,      [this] { setView(View::Map); }},
        {&ChecksButton,   86,  IDB_ANALYSIS_CHECKS,   IDB_ANALYSIS_CHECKS_LIT,   [this] { setView(View::Checks); }},
        {&ReportButton,   66,  IDB_ANALYSIS_REPORT,   IDB_ANALYSIS_REPORT_LIT,   [this] { reportPressed(); }},
        // The second drive: a recording of the same family, chosen by ChooseSecond.
        {&SecondButton,   112, IDB_ANALYSIS_SECOND,   IDB_ANALYSIS_SECOND_LIT,   [this] { secondPressed(); }},
        {&AlignButton,    90,  IDB_ANALYSIS_ALIGN,    IDB_ANALYSIS_ALIGN_LIT,    [this] { alignPressed(); }},
        {&MaximiseButton, 26,  IDB_ANALYSIS_MAXIMISE, IDB_ANALYSIS_MAXIMISE_LIT, [this] { toggleMaximise(); }},
        {&CloseButton,    26,  IDB_ANALYSIS_EXIT,     IDB_ANALYSIS_EXIT_LIT,     close},
    };
    // clang-format on
    for (const Row& r : rows) {
        r.button->setBounds(0, 7, r.width, 20);
        setPressFaces(*r.button, r.normal, r.lit, r.action);
    }
    const RECT box = spanPanel_.addChannelBox(geometry());
    AddChannelButton.setBounds(box.left, box.top, box.right - box.left, box.bottom - box.top);
    setPressFaces(AddChannelButton, IDB_ANALYSIS_ADD_CHANNEL, IDB_ANALYSIS_ADD_CHANNEL_LIT,
                  [this] { chooseChannel(kChooseStats); });
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
    alignChooser_.build(*this);
    beforeChooser_.build(*this);
    beforeChooser_.OnChosen = [this](const std::string& file) {
        if (file.empty())
            chooseSecondFile();
        else
            openSecond(file);
    };
    alignChooser_.OnAligned = [this](const analysis::Alignment& a, const std::string& text) {
        aligned(a, text);
    };
    ChannelList.create(*this, 0, 0, 100, 100);
    ChannelList.setColours(ui::kLabelGreen, RGB(0, 0, 0));
    ChannelList.OnChoose = [this](std::size_t line) { channelChosen(line); };
    ShowWindow(ChannelList.handle(), SW_HIDE);
    ProgressTimer.setInterval(kProgressMs);
    ProgressTimer.OnTimer = [this] { progressTick(); };
    for (ui::Picture* b :
         {&AllButton, &ReplayButton, &ExportButton, &LanesButton, &ScatterButton, &MapButton,
          &ChecksButton, &ReportButton, &SecondButton, &AddChannelButton})
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
                           &MapButton, &ChecksButton, &ReportButton, &SecondButton, &AlignButton}) {
        b->setBounds(x, 7, b->width(), 20);
        x += b->width() + 6;
    }
    CloseButton.setBounds(clientWidth() - 34, 7, 26, 20);
    MaximiseButton.setBounds(clientWidth() - 64, 7, 26, 20);
    TitleLabel.place(x + 10, 10);
    // A narrow window has no room for it beside the buttons.
    TitleLabel.setVisible(TitleLabel.left() + TitleLabel.width() < MaximiseButton.left() - 8);
    const RECT box = spanPanel_.addChannelBox(g);
    AddChannelButton.setBounds(box.left, box.top, box.right - box.left, box.bottom - box.top);
    alignChooser_.place(g);
    beforeChooser_.place(g);
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
    for (ui::Picture* b :
         {&AllButton, &ReplayButton, &ExportButton, &LanesButton, &ScatterButton, &MapButton,
          &ChecksButton, &ReportButton, &SecondButton, &AddChannelButton})
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
    shownSecondPath_ = secondPath_;
    scene_.alignment = analysis::AlignAtStart(*scene_.first, *scene_.second);
    alignChooser_.setDrives(*scene_.first, *scene_.second);
    AlignButton.setVisible(true);
    // A cell lit for the first drive alone: lit afresh with both.
    mapView_.setLitCell(-1);
    lanesView_.clearLight();
    MessageLabel.setText(result.message.empty()
                             ? "Вторая запись наложена поверх первой (выровнены по началу): " +
                                   secondPath_
                             : result.message);
    updateCursorLabels();
    updateSpan();
    redraw();
}

// ---- What the user does ----

void TFormAnalysis::alignPressed() {
    if (!scene_.first || !scene_.second) return;
    setView(View::Lanes);
    alignChooser_.show();
    MessageLabel.setText("Выберите момент первой записи слева и тот же момент второй справа "
                         "(первые опросы обеих — выравнивание по началу).");
}

void TFormAnalysis::alignAt(std::size_t firstMoment, std::size_t secondMoment) {
    if (scene_.second) alignChooser_.pick(firstMoment, secondMoment);
}

void TFormAnalysis::aligned(const analysis::Alignment& alignment, const std::string& text) {
    scene_.alignment = alignment;
    MessageLabel.setText(text);
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
    // The checks judge the span chosen: run again when it is another.
    const bool same = checksGeneration_ > 0 && checksHaveSpan_ == scene_.hasSpan &&
                      (!scene_.hasSpan || (checksSpan_.fromMs == scene_.span.fromMs &&
                                           checksSpan_.toMs == scene_.span.toMs));
    if (!same) runChecks();
    if (mode_ != View::Lanes) redraw();
}

std::vector<int> TFormAnalysis::statsChannels() const {
    return analysis::StatsChannels(scene_.lanes(), scene_.statsAdded);
}

void TFormAnalysis::toggleStatsChannel(int channel) {
    if (!scene_.first || channel < 0 || channel >= scene_.first->channelCount()) return;
    const std::string& name = scene_.first->channels()[channel].mnemonic;
    std::vector<int>& added = scene_.statsAdded;
    const auto at = std::find(added.begin(), added.end(), channel);
    if (std::find(scene_.lanes().begin(), scene_.lanes().end(), channel) != scene_.lanes().end())
        MessageLabel.setText(name + " — на ленте: его цифры уже в списке.");
    else if (at != added.end()) {
        added.erase(at);
        MessageLabel.setText("Цифры " + name + " убраны из списка.");
    } else {
        added.push_back(channel);
        MessageLabel.setText("Цифры " + name +
                             " добавлены в список (выбор того же канала ещё раз — убрать).");
    }
    updateSpan();
}

// ---- Checks ----

void TFormAnalysis::runChecks() {
    const analysis::AnalysedRecording& rec = *scene_.first;
    checksHaveSpan_ = scene_.hasSpan;
    checksSpan_ = scene_.span;
    const analysis::PollRange polls = scene_.hasSpan
                                          ? rec.pollsBetween(scene_.span.fromMs, scene_.span.toMs)
                                          : analysis::PollRange{0, rec.pollCount()};
    checksView_.running(scene_.hasSpan
                            ? "Проверки участка " +
                                  analysis::RecordedClockText(rec, scene_.span.fromMs, false) +
                                  " — " + analysis::RecordedClockText(rec, scene_.span.toMs, false)
                            : std::string("Проверки всей записи"));
    const unsigned generation = ++checksGeneration_;
    checksJob_.start(scene_.first, polls.begin, polls.end,
                     [this, generation] { post([this, generation] { checksDone(generation); }); });
}

void TFormAnalysis::checksDone(unsigned generation) {
    if (generation != checksGeneration_) return; // a newer run is under way
    checksView_.setResults(checksJob_.take(), scene_.first->family());
    if (mode_ == View::Checks) redraw();
}

int TFormAnalysis::checksRowY(std::size_t row) const {
    return checksView_.rowTop(geometry(), static_cast<int>(row));
}

void TFormAnalysis::showEvidence(int row) {
    if (row < 0 || row >= static_cast<int>(checksView_.results().size())) return;
    const checks::CheckResult& c = checksView_.results()[row];
    checksView_.setChosen(row);
    const checks::CheckInfo* info = checks::InfoOf(c.check);
    const std::string name =
        "«" + std::string(info ? info->title : "") + "»: " + checks::VerdictText(c.verdict);
    if (c.spans.empty()) {
        MessageLabel.setText(name + "; участков записи, по которым она судила, нет.");
        redraw();
        return;
    }
    // All its spans in view, with a little around them.
    double from = c.spans.front().fromMs, to = c.spans.front().toMs;
    std::string labels;
    for (const checks::EvidenceSpan& e : c.spans) {
        from = std::min<double>(from, e.fromMs);
        to = std::max<double>(to, e.toMs);
        if (labels.find(e.label) == std::string::npos)
            labels += (labels.empty() ? "" : ", ") + e.label;
    }
    const analysis::AnalysedRecording& rec = *scene_.first;
    const analysis::TimeSpan shown = analysis::Surroundings(rec, from, to);
    scene_.view = analysis::Zoomed(rec, {shown.fromMs, shown.toMs, scene_.view.columns},
                                   (shown.fromMs + shown.toMs) / 2, 1.0);
    lanesView_.markEvidence(c.spans);
    MessageLabel.setText(name + "; на ленте её участки (" + std::to_string(c.spans.size()) +
                         "): " + labels + ". «Всё» снимает отметки, «Проверки» — к списку.");
    setView(View::Lanes);
}

void TFormAnalysis::showWhole() {
    if (!scene_.first) return;
    scene_.view = analysis::WholeRecording(*scene_.first, scene_.view.columns);
    scene_.hasSpan = false;
    mapView_.setLitCell(-1);
    lanesView_.clearLight();
    lanesView_.clearEvidence();
    checksView_.setChosen(-1);
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
    alignChooser_.hide();
    beforeChooser_.hide();
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

void TFormAnalysis::reportPressed() {
    const std::string file = AskReportPath(handle(), path_);
    if (!file.empty()) reportTo(file);
}

void TFormAnalysis::reportTo(const std::string& path) {
    if (!scene_.first) return;
    std::string message;
    try {
        const report::Report r = report::MakeReport(scene_.first, path_, scene_.second,
                                                    shownSecondPath_, LoadWorkshopName(registry_),
                                                    report::MadeOnText(LocalTimeAt(WallNow())));
        Win32RecordFile file;
        const FileError error = WriteReport(r, path, file);
        message = FileErrorMessage(error, FileSituation::ExportShown, path);
        if (error == FileError::None && !(OpenReport && OpenReport(path)))
            message += ". Открыть отчёт в браузере не удалось: откройте этот файл сами.";
    } catch (const std::exception&) {
        message = "Не удалось составить отчёт: не хватает памяти.";
    }
    MessageLabel.setText(message);
}

void TFormAnalysis::secondPressed() {
    if (ChooseSecond) {
        const std::string file = ChooseSecond();
        if (!file.empty()) openSecond(file);
        return;
    }
    // The other recordings of this vehicle in the recording's folder, when its visit names
    // the plate or the VIN; else, or when there are none, the file dialog.
    Win32RecordingFolder disk;
    VehicleRecording self;
    std::vector<VehicleRecording> candidates;
    if (ReadVehicleOfRecording(disk, path_, self)) {
        std::string folder, name;
        SplitPath(path_, folder, name);
        candidates = SameVehicleRecordings(disk, folder, self.visit.plate, self.visit.vin, path_);
    }
    if (candidates.empty()) {
        chooseSecondFile();
        return;
    }
    setView(View::Lanes);
    beforeChooser_.show(candidates);
    MessageLabel.setText("Выберите запись того же автомобиля, сделанную до ремонта, или «Другой "
                         "файл…».");
}

void TFormAnalysis::chooseSecondFile() {
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
    } else if (choosing_ == kChooseStats) {
        toggleStatsChannel(row);
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
    case View::Checks:
        checksView_.paint(dc, g);
        break;
    }
}
