#include "link/ComPort_win32.h"

#include "platform/Win32SerialPort.h"

Com_Port::Com_Port(MainState& state, LinkEvents& events)
    : ownPort_(std::make_unique<Win32SerialPort>()), port_(*ownPort_),
      cycle_(state.requests, state.selection, state.ecu, port_, events, *this) {
    cycle_.SetReplyTap(&taps_);
    cycle_.SetCommandTap(&taps_);
    createThread();
}

Com_Port::Com_Port(MainState& state, LinkEvents& events, SerialPort& port)
    : port_(port), cycle_(state.requests, state.selection, state.ecu, port_, events, *this) {
    cycle_.SetReplyTap(&taps_);
    cycle_.SetCommandTap(&taps_);
    createThread();
}

Com_Port::~Com_Port() {
    if (!thread_) return;
    cycle_.RequestStop();
    // Wake it wherever it sleeps (created or self-suspended); a blocking read
    // ends on its time-outs within a second.
    for (int i = 0; i < 10 && ResumeThread(thread_) > 1;)
        ++i;
    if (WaitForSingleObject(thread_, 3000) == WAIT_TIMEOUT) TerminateThread(thread_, 1);
    CloseHandle(thread_);
}

void Com_Port::createThread() {
    thread_ = CreateThread(nullptr, 0, &Com_Port::threadMain, this, CREATE_SUSPENDED, nullptr);
}

DWORD WINAPI Com_Port::threadMain(LPVOID self) {
    LinkCycle& cycle = static_cast<Com_Port*>(self)->cycle_;
    while (cycle.RunOnce()) {
    }
    return 0;
}

void Com_Port::SetPriorityLower() {
    if (thread_) SetThreadPriority(thread_, THREAD_PRIORITY_BELOW_NORMAL);
}

void Com_Port::Resume() {
    if (!thread_) return;
    DWORD previous = ResumeThread(thread_);
    // The thread may have decided to suspend itself without having done it yet;
    // a press that came in that moment must still wake it. Wait (briefly, it is
    // a few instructions away) until it is suspended, then resume it.
    for (int tries = 0; previous == 0 && cycle_.Suspending() && tries < 200; ++tries) {
        Sleep(1);
        previous = ResumeThread(thread_);
    }
}

void Com_Port::Connect() {
    cycle_.PressStart();
    SetPriorityLower();
    Resume();
}

void Com_Port::Disconnect() {
    cycle_.PressStop();
}

void Com_Port::Stop() {
    cycle_.RequestStop();
}

void Com_Port::suspendSelf() {
    suspending_.store(true);
    SuspendThread(GetCurrentThread());
    suspending_.store(false);
}
