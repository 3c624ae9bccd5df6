#pragma once
// The link thread: a Win32 thread, created suspended, that runs the link cycle
// over and over. It suspends itself after a failed open and after closing the
// port; a connect press resumes it. Stop() makes it do no further work without
// waiting for it; the process exit then ends it wherever it is.
#include <windows.h>

#include <atomic>
#include <memory>

#include "state/MainState.h"
#include "link/LinkCycle.h"
#include "link/LinkEvents.h"
#include "link/LinkTaps.h"
#include "link/LinkSuspension.h"
#include "platform/SerialPort.h"

class Com_Port : private LinkSuspension {
  public:
    // Talks to the COM port named by state.portName.
    Com_Port(MainState& state, LinkEvents& events);
    // Talks to the given port (which must outlive the thread).
    Com_Port(MainState& state, LinkEvents& events, SerialPort& port);
    // The program never destroys its link thread; this is for tests: it stops the
    // thread and waits a little for it to end.
    ~Com_Port();
    Com_Port(const Com_Port&) = delete;
    Com_Port& operator=(const Com_Port&) = delete;

    bool Created() const { return thread_ != nullptr; }
    // One step below normal; the connect press sets it before every resume.
    void SetPriorityLower();
    // Starts the thread the first time, later wakes it where it suspended itself.
    void Resume();
    // The START press: the open request, the priority and the resume. The STOP
    // press: the close request (the thread, still running, closes the port).
    void Connect();
    void Disconnect();
    // Raises the stop flag; never blocks.
    void Stop();

    // Whether the thread is suspended in one of its two places (for tests).
    bool SuspendedBySelf() const { return suspending_.load(); }
    const LinkCycle& Cycle() const { return cycle_; }
    // Listeners of the cycle: the recording, and the live checks beside it (link/LinkTaps.h);
    // set before the first Resume().
    void SetTaps(ReplySink* replies, CommandSink* commands) {
        taps_.set(TapSlot::Recording, replies, commands);
    }
    void SetCheckTaps(ReplySink* replies, CommandSink* commands) {
        taps_.set(TapSlot::Checks, replies, commands);
    }

  private:
    static DWORD WINAPI threadMain(LPVOID self);
    void createThread();
    // The thread, to itself, after closing the port or a failed open.
    void suspendSelf() override;

    std::unique_ptr<SerialPort> ownPort_;
    SerialPort& port_;
    LinkTaps taps_; // the cycle's one tap of each kind, handed on to both listeners
    LinkCycle cycle_;
    std::atomic<bool> suspending_{false};
    HANDLE thread_ = nullptr;
};
