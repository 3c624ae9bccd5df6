#pragma once
// For every Windows test that drives windows in-process: the message pump, the
// user's clicks as the windows receive them, and for the whole program the real
// main window with its link thread on COM1 against the ECU simulator the harness
// started. A test writes no pump or click of its own: what is missing goes here.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <utility>

#include "app/TForm1.h"
#include "tests/win/EcusimControl.h"
#include "ui/Form.h"
#include "ui/TrackBar.h"

namespace program_driver {

inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Milliseconds since the first call.
inline long long Now() {
    using clock = std::chrono::steady_clock;
    static const clock::time_point start = clock::now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(clock::now() - start).count();
}

// Runs the message loop (timers, posts from the link thread) until `done` holds
// or the time is up; true when it held.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    const long long end = Now() + timeoutMs;
    for (;;) {
        Pump();
        if (done()) return true;
        if (Now() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

inline void PumpFor(int ms) {
    PumpUntil([] { return false; }, ms);
}

// The left button going down, and up, at a point of a window's client area.
inline void Press(HWND window, int x, int y) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}
inline void Release(HWND window, int x, int y) {
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
inline void Press(ui::Form& form, int x, int y) {
    Press(form.handle(), x, y);
}
inline void Release(ui::Form& form, int x, int y) {
    Release(form.handle(), x, y);
}

// A left click at a point of a form, as the form receives it.
inline void Click(ui::Form& form, int x, int y) {
    Press(form, x, y);
    Release(form, x, y);
}

// The same in the middle of a control (a picture button, a label).
inline POINT CentreOf(const ui::Control& control) {
    return {control.left() + control.width() / 2, control.top() + control.height() / 2};
}
inline void Press(ui::Form& form, const ui::Control& control) {
    Press(form, CentreOf(control).x, CentreOf(control).y);
}
inline void Release(ui::Form& form, const ui::Control& control) {
    Release(form, CentreOf(control).x, CentreOf(control).y);
}
inline void Click(ui::Form& form, const ui::Control& control) {
    Click(form, CentreOf(control).x, CentreOf(control).y);
}

// A right click at a point of a form.
inline void RightClick(ui::Form& form, int x, int y) {
    SendMessageW(form.handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
    SendMessageW(form.handle(), WM_RBUTTONUP, 0, MAKELPARAM(x, y));
}

// The user drags a trackbar to a position.
inline void Drag(ui::Form& form, ui::TrackBar& bar, int position) {
    SendMessageW(bar.handle(), TBM_SETPOS, TRUE, position);
    SendMessageW(form.handle(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                 reinterpret_cast<LPARAM>(bar.handle()));
}

// A new main window (or a window derived from it) as a start of the program
// builds it; never destroyed, as in the program.
template <class Window = TForm1> Window& StartMainWindow() {
    auto* f = new Window();
    f->show();
    Pump();
    return *f;
}

// The one main window of a test program, made on first use.
template <class Window = TForm1> Window& Main() {
    static Window& form = StartMainWindow<Window>();
    return form;
}

// START, then the first good reply enables the trouble-code and actuator buttons.
inline bool Connect(TForm1& f) {
    if (f.connectState != 0) return false;
    Click(f, f.Image15);
    return PumpUntil([&f] { return f.Image16.enabled() && f.Image17.enabled(); }, 5000);
}

// STOP; the link thread closes the port and waits for the next START.
inline void Disconnect(TForm1& f) {
    if (f.connectState == 0) return;
    Click(f, f.Image15);
    PumpUntil([&f] { return f.state.requests.closeRequested.load() == 0; }, 2000);
}

// The simulator's log as it stands: how many lines are `line`, or with
// `wholeLine` false, start with it.
inline int LogCount(const std::string& line, bool wholeLine = true) {
    if (!ecusim_control::available()) return 0;
    std::ifstream log(ecusim_control::windowsPath(std::getenv("MOTOSKOP_ECUSIM_LOG")),
                      std::ios::binary);
    int n = 0;
    for (std::string l; std::getline(log, l);)
        if (wholeLine ? l == line : l.compare(0, line.size(), line) == 0) ++n;
    return n;
}

// "rx F4 60 04 d0 .. d9 cs": a command frame as the simulator logs it, the
// checksum making the fourteen bytes add up to 0.
inline std::string CommandLine(const unsigned char (&data)[10]) {
    std::string line = "rx F4 60 04";
    unsigned sum = 0xF4 + 0x60 + 0x04;
    char hex[4];
    for (unsigned char b : data) {
        std::snprintf(hex, sizeof hex, " %02X", b);
        line += hex;
        sum += b;
    }
    std::snprintf(hex, sizeof hex, " %02X", (256 - sum % 256) % 256);
    return line + hex;
}

// Frames the simulator receives from now on: lines equal to `line`, or with
// `wholeLine` false, starting with it.
class NewFrames {
  public:
    explicit NewFrames(std::string line, bool wholeLine = true)
        : line_(std::move(line)), wholeLine_(wholeLine), before_(LogCount(line_, wholeLine_)) {}
    int count() const { return LogCount(line_, wholeLine_) - before_; }
    const std::string& line() const { return line_; }

  private:
    std::string line_;
    bool wholeLine_;
    int before_;
};

} // namespace program_driver
