#pragma once
// The main window's side of replay: the "Открыть" button, files dropped on the
// window, the recording named on the command line, and the replay window it
// owns while one plays. While it plays the link stays stopped, START and the
// actuator window cannot be used, and the car and engine are the recorded ones.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/TFormReplay.h"
#include "ui/Picture.h"

class Registry;
class TForm1;

class ReplayHost {
  public:
    ReplayHost() = default;
    ~ReplayHost();
    ReplayHost(const ReplayHost&) = delete;
    ReplayHost& operator=(const ReplayHost&) = delete;

    // Puts the open button on the main window and takes dropped files; a
    // recording from the command line opens once the window runs.
    void attach(TForm1& form, Registry& registry, const std::string& startupRecording);

    // Opens the recording at the UTF-8 path; a file that cannot be read is
    // reported and changes nothing. False then.
    bool open(const std::string& path);
    // Closes the replay window and gives the user's car and engine back.
    void close();
    bool active() const { return window_ != nullptr; }
    TFormReplay* window() { return window_.get(); }

    ui::Picture OpenButton; // at (704, 322), above "О программе"
    // How a file that cannot be played is reported (a message box; tests take the text).
    std::function<void(const std::string&)> ShowError;

  private:
    void openPressed();
    void showError(const char* text);

    TForm1* form_ = nullptr;
    Registry* registry_ = nullptr;
    PerformanceClock clock_;
    std::unique_ptr<TFormReplay> window_;
    int dropHandler_ = 0;
};
