#pragma once
// A GUI-thread timer: OnTimer runs every interval milliseconds while enabled.
// Changing the interval of a running timer starts a new period from now.
#include <windows.h>

#include <functional>

namespace ui {

class Timer {
  public:
    Timer() = default;
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    unsigned interval() const { return interval_; }
    void setInterval(unsigned milliseconds);

    std::function<void()> OnTimer;

    // For tests: what a tick does, without waiting for it.
    void fire();

  private:
    void restart();
    void stop();

    bool enabled_ = false;
    unsigned interval_ = 1000;
    UINT_PTR id_ = 0;
};

} // namespace ui
