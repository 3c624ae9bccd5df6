#pragma once
// The main window's side of replay: the "Открыть" button, files dropped on the
// window, the recording named on the command line, and the replay window it
// owns while one plays. While it plays the link stays stopped, START and the
// actuator window cannot be used, and the car and engine are the recorded ones.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "replay/TFormAnalysis.h"
#include "replay/TFormReplay.h"
#include "ui/Picture.h"

class LinkEvents;
class MainWindowIntents;
class Registry;
class RepaintRequests;
class SelectionView;
struct MainState;
namespace ui {
class Form;
}

class ReplayHost {
  public:
    ReplayHost() = default;
    ~ReplayHost();
    ReplayHost(const ReplayHost&) = delete;
    ReplayHost& operator=(const ReplayHost&) = delete;

    // Puts the open button on the main window (form) and takes dropped files; a
    // recording from the command line opens once the window runs. The state,
    // events, view and repaints are the main window's, which the recording is
    // shown through as the link shows the car.
    void attach(ui::Form& form, MainWindowIntents& main, MainState& state, LinkEvents& events,
                SelectionView& view, RepaintRequests& repaint, Registry& registry,
                const std::string& startupRecording);

    // Opens the recording at the UTF-8 path; a file that cannot be read is
    // reported and changes nothing: false then. Otherwise the link is stopped
    // and the replay window comes up as soon as the link has let go (at once
    // when it was not running).
    bool open(const std::string& path);
    // Closes the replay window and gives the user's car and engine back.
    void close();
    bool active() const { return window_ != nullptr; }
    TFormReplay* window() { return window_.get(); }

    // Opens the analysis window over path (and second, laid over it, when not
    // empty); one at a time, a new one replaces it. Its "К повтору" sends the
    // replay to a moment, opening the recording for replay first when needed.
    void openAnalysis(const std::string& path, const std::string& second = {});
    void closeAnalysis();
    TFormAnalysis* analysisWindow() { return analysis_.get(); }

    ui::Picture OpenButton; // at (704, 322), above "О программе"
    // How a file that cannot be played is reported (a message box; tests take the text).
    std::function<void(const std::string&)> ShowError;

  private:
    void openPressed();
    void showError(const char* text);
    void show(std::unique_ptr<RecordingReader> reader, const std::string& path, bool damaged);

    ui::Form* form_ = nullptr;
    MainWindowIntents* main_ = nullptr;
    MainState* state_ = nullptr;
    LinkEvents* events_ = nullptr;
    SelectionView* view_ = nullptr;
    RepaintRequests* repaint_ = nullptr;
    Registry* registry_ = nullptr;
    unsigned opening_ = 0; // the latest open: an older one waiting for the link is dropped
    SteadyReplayClock clock_;
    std::unique_ptr<TFormReplay> window_;
    std::unique_ptr<TFormAnalysis> analysis_;
    std::string replayPath_; // the recording the replay window shows
    uint32_t pendingSeekMs_ = 0;
    bool seekPending_ = false; // the analysis asked for a moment before the replay was up
    void seekReplay(const std::string& path, uint32_t timeMs);
    int dropHandler_ = 0;
};
