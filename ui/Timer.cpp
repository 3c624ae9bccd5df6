#include "ui/Timer.h"

#include <map>

namespace ui {

namespace {

std::map<UINT_PTR, Timer*>& Timers() {
    static std::map<UINT_PTR, Timer*> timers;
    return timers;
}

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER) {
        auto found = Timers().find(static_cast<UINT_PTR>(wp));
        if (found != Timers().end()) found->second->fire();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// One hidden window carries the WM_TIMER messages of every timer.
HWND TimerWindow() {
    static HWND window = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = TimerWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MotoskopTimers";
        RegisterClassW(&wc);
        return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    }();
    return window;
}

UINT_PTR NextId() {
    static UINT_PTR next = 1;
    return next++;
}

} // namespace

Timer::~Timer() {
    stop();
}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled_)
        restart();
    else
        stop();
}

void Timer::setInterval(unsigned milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    if (enabled_) restart();
}

void Timer::fire() {
    if (OnTimer) OnTimer();
}

void Timer::restart() {
    stop();
    if (interval_ == 0) return;
    id_ = NextId();
    Timers()[id_] = this;
    SetTimer(TimerWindow(), id_, interval_, nullptr);
}

void Timer::stop() {
    if (!id_) return;
    KillTimer(TimerWindow(), id_);
    Timers().erase(id_);
    id_ = 0;
}

} // namespace ui
