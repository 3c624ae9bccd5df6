#pragma once
// The main window's side of the live checks: the ring of the session (the link cycle's checks
// tap for the whole run, so the checks window finds the session so far whenever it opens), the
// "Проверки" button at the right of the readout's title, and the checks window it opens beside
// the main window. The window is not modal: the main window stays in use while it is open.
#include <memory>

#include "checks/LiveCheckRing.h"
#include "checks/TFormChecks.h"
#include "ui/Picture.h"

class Com_Port;
struct MainState;
namespace ui {
class Form;
}

class ChecksHost {
  public:
    ChecksHost() = default;
    ~ChecksHost();
    ChecksHost(const ChecksHost&) = delete;
    ChecksHost& operator=(const ChecksHost&) = delete;

    // Puts the button on the main window (form) and taps link, which must not be running yet.
    void attach(ui::Form& form, MainState& state, Com_Port* link);
    // START (connected true) or STOP as the main window carries it out.
    void linkPressed(bool connected);
    // The button: the window comes up beside the main window, or to the front when it is up.
    void open();
    // Closes the window and ends its work (the ring goes on filling).
    void close();
    TFormChecks* window() { return window_.get(); }
    const checks::LiveCheckRing* ring() const { return ring_.get(); }

    ui::Picture ChecksButton; // right of the readout's title

  private:
    ui::Form* form_ = nullptr;
    MainState* state_ = nullptr;
    Com_Port* link_ = nullptr;
    std::unique_ptr<checks::LiveCheckRing> ring_;
    std::unique_ptr<TFormChecks> window_;
};
