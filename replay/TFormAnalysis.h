#pragma once
// The analysis window "Анализ": the whole recording as six lanes over the
// recorded clock, zoomed with the wheel and panned by dragging, the cursor's
// values of every lane, a span's figures and its CSV export, the scatter of two
// channels, the fuel-trim map, the engine checks with their evidence, the
// workshop report, and a second drive laid over the first. The recording is
// opened off the GUI thread (analysis::LoadJob), the checks run off it too
// (ChecksJob); all the numbers come from the analysis core and the checks, the
// window only draws them. It never writes to the recording and never talks to
// the ECU.
//
// The window holds the top strip, the cursor's values and what the user does;
// each view draws itself: AnalysisLanesView, AnalysisScatterView,
// AnalysisMapView, AnalysisChecksView, and AnalysisSpanPanel under them;
// AnalysisAlignChooser lays the second drive over the first.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/AnalysedRecording.h"
#include "analysis/CursorReadout.h"
#include "analysis/LoadJob.h"
#include "analysis/SpanStatistics.h"
#include "analysis/TimeView.h"
#include "checks/CheckResult.h"
#include "replay/AnalysisAlignChooser_win32.h"
#include "replay/AnalysisBeforeChooser_win32.h"
#include "replay/AnalysisChecksView_win32.h"
#include "replay/AnalysisGeometry_win32.h"
#include "replay/AnalysisLanesView_win32.h"
#include "replay/AnalysisMapView_win32.h"
#include "replay/AnalysisScatterView_win32.h"
#include "replay/AnalysisScene.h"
#include "replay/AnalysisSpanPanel_win32.h"
#include "replay/ChecksJob.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/Picture.h"
#include "ui/Timer.h"

class Registry;

class TFormAnalysis : public ui::Form {
  public:
    enum class View { Lanes, Scatter, Map, Checks };

    // Opens path (UTF-8) for analysis, and second too when not empty. onSeek
    // sends the replay to a moment of the first recording; onClose runs when the
    // user closes the window (the owner destroys it then).
    TFormAnalysis(HWND owner, Registry& registry, const std::string& path,
                  const std::string& second, std::function<void(uint32_t timeMs)> onSeek,
                  std::function<void()> onClose);
    ~TFormAnalysis() override;

    // What the window shows, for tests and the owner.
    bool loading() const { return job_ != nullptr || secondJob_ != nullptr; }
    const analysis::AnalysedRecording* recording() const { return scene_.first.get(); }
    const analysis::AnalysedRecording* secondRecording() const { return scene_.second.get(); }
    const std::string& path() const { return path_; }
    const std::vector<int>& lanes() const { return scene_.lanes(); }
    const analysis::TimeView& timeView() const { return scene_.view; }
    const analysis::CursorReadout& cursor() const { return cursor_; }
    bool hasSpan() const { return scene_.hasSpan; }
    const analysis::TimeSpan& span() const { return scene_.span; }
    const std::vector<analysis::ChannelStats>& spanStats() const { return spanPanel_.stats(); }
    std::string message() const { return MessageLabel.text(); }
    View view() const { return mode_; }
    // Where a moment of the first recording lies in the window's client area, x.
    int xOfTime(double timeMs) const;
    // The plot's top and bottom edge of the lanes (client y).
    int lanesTop() const;
    int lanesBottom() const;
    // The checks of the whole recording, or of the span when one is chosen; empty while
    // they run.
    const std::vector<checks::CheckResult>& checkResults() const { return checksView_.results(); }
    bool checksRunning() const { return checksView_.isRunning(); }
    // Where a row of the «Проверки» list begins (client y), -1 when scrolled above.
    int checksRowY(std::size_t row) const;
    // The evidence of the check last clicked, marked on the timeline.
    const std::vector<checks::EvidenceSpan>& evidence() const { return lanesView_.evidence(); }
    // The channels the span's figures are given for: the lanes', then those added.
    std::vector<int> statsChannels() const;

    // As the user does them.
    void moveCursorTo(double timeMs);
    void selectSpan(double fromMs, double toMs);
    void showWhole();
    void sendReplayToCursor();
    void setView(View view);
    void exportTo(const std::string& path); // the span (or the whole recording) as CSV
    void openSecond(const std::string& path);
    // The second drive laid with its moment (its first poll, a marker, an event, as the
    // chooser lists them) on the first's.
    void alignAt(std::size_t firstMoment, std::size_t secondMoment);
    // A channel of the catalogue added to the span's figures, or taken away again.
    void toggleStatsChannel(int channel);
    // The workshop report, as --report writes it (the second drive as the one before the
    // repair), saved at path and handed to OpenReport.
    void reportTo(const std::string& path);

    // How «Отчёт» shows the saved file: the default browser (ShellExecute); false when it
    // could not. Tests put their own in.
    std::function<bool(const std::string& path)> OpenReport;
    // How «Вторая запись» chooses the second drive: the file dialog unless set (UTF-8
    // path, empty when the user chose none).
    std::function<std::string()> ChooseSecond;

    ui::Picture AllButton, ReplayButton, ExportButton, LanesButton, ScatterButton, MapButton,
        ChecksButton, ReportButton, SecondButton, AlignButton, MaximiseButton, CloseButton;
    ui::Picture AddChannelButton; // above the span's figures
    ui::Label TitleLabel, MessageLabel, CursorTimeLabel;
    ui::Timer ProgressTimer;
    ui::ListBox ChannelList; // the catalogue, shown while a channel is chosen

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    class Plot;
    // What the catalogue is chosen for, beside a lane 0..5.
    static constexpr int kChooseScatterX = 100, kChooseScatterY = 101, kChooseScatterColour = 102,
                         kChooseStats = 103;

    void build();
    void layout();
    AnalysisGeometry geometry() const;
    void startLoad(const std::string& path, bool second);
    void progressTick();
    void firstLoaded();
    void secondLoaded();
    void redraw();
    void updateCursorLabels();
    void updateSpan();
    void chooseChannel(int target);
    void channelChosen(std::size_t line);
    void exportPressed();
    void reportPressed();
    void secondPressed();
    void alignPressed();
    void chooseSecondFile();
    void aligned(const analysis::Alignment& alignment, const std::string& text);
    void runChecks();
    void checksDone(unsigned generation);
    void showEvidence(int row);
    void toggleMaximise();
    void saveSettings();
    void setPressFaces(ui::Picture& button, int normal, int lit, std::function<void()> action);

    // Mouse and keys over the plot (TFormAnalysisInput.cpp).
    void mouseDown(int x, int y, bool shift, bool inAxis);
    void mouseMove(int x, int y);
    void mouseUp(int x, int y);
    void doubleClick(int x, int y);
    void wheel(int x, int delta);
    void key(WPARAM code);
    double timeAtX(int x) const;
    void clickScatter(int x, int y);
    void clickMap(int x, int y);
    void clickChecks(int x, int y);

    void paintPlot(HDC dc);

    Registry& registry_;
    std::string path_, secondPath_;
    std::string shownSecondPath_; // the second drive laid over the first
    std::function<void(uint32_t)> onSeek_;
    std::function<void()> onClose_;

    AnalysisScene scene_;
    analysis::CursorReader cursorReader_;
    analysis::CursorReadout cursor_;
    View mode_ = View::Lanes;
    AnalysisLanesView lanesView_;
    AnalysisScatterView scatterView_;
    AnalysisMapView mapView_;
    AnalysisChecksView checksView_;
    AnalysisSpanPanel spanPanel_;
    AnalysisAlignChooser alignChooser_;
    AnalysisBeforeChooser beforeChooser_;
    unsigned checksGeneration_ = 0; // the latest run: the results of an older one are dropped
    bool checksHaveSpan_ = false;   // what the latest run judged: the span, or the whole
    analysis::TimeSpan checksSpan_;
    int choosing_ = -1;   // lane 0..5, or kChoose* for the scatter's channels
    std::string refusal_; // the recording could not be analysed: this instead of charts
    bool maximised_ = false;
    RECT restored_{}; // the window before it was maximised

    // Dragging.
    enum class Drag { None, Pan, Span, AxisZoom };
    Drag drag_ = Drag::None;
    int dragX_ = 0;
    analysis::TimeView dragView_;

    std::unique_ptr<Plot> plot_;
    std::vector<ui::Label*> valueLabels_;
    std::vector<std::unique_ptr<ui::Label>> ownedLabels_;
    long long loadStartedMs_ = 0;
    // Last: the loading threads post to this window, so they are stopped first.
    std::unique_ptr<analysis::LoadJob> job_, secondJob_;
    ChecksJob checksJob_;
};
