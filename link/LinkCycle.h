#pragma once
// One pass of the link thread's endless loop: open the port if asked, close it
// and suspend if asked, poll the ECU once and judge the reply, show it (status,
// readout, channels: the ReplyPresenter), send the pending command frames. The
// thread (Com_Port) calls RunOnce() again and again; nothing here sleeps, the
// serial time-outs pace it.
#include <atomic>
#include <cstdint>
#include <string>

#include "link/CommandSink.h"
#include "link/JudgedReply.h"
#include "link/LinkEvents.h"
#include "link/LinkSuspension.h"
#include "link/ReplyPresenter.h"
#include "platform/SerialPort.h"
#include "state/EcuData.h"
#include "state/LinkRequests.h"
#include "state/Selection.h"

class LinkCycle {
  public:
    static constexpr int kPollReadSize = 70; // bytes asked for per poll

    LinkCycle(LinkRequests& requests, const Selection& selection, EcuData& ecu, SerialPort& port,
              LinkEvents& events, LinkSuspension& suspension);
    LinkCycle(const LinkCycle&) = delete;
    LinkCycle& operator=(const LinkCycle&) = delete;

    // Runs one cycle. Returns false once a stop was requested: the cycle then
    // does no further work from the next check on (start of the cycle, after
    // each blocking read and after each self-suspension).
    bool RunOnce();

    // Thread-safe; never blocks.
    void RequestStop() { stop_.store(true); }
    bool StopRequested() const { return stop_.load(); }

    // Also hands every judged reply to `tap` (after it was shown), or to nobody
    // when null. Set it while the cycle is idle.
    void SetReplyTap(ReplySink* tap) { tap_ = tap; }
    // Tells `tap` of every command frame sent (null: nobody). Set it while idle.
    void SetCommandTap(CommandSink* tap) { commandTap_ = tap; }

    // The START and STOP presses as the link sees them; the last press wins.
    // START lowers closeRequested and raises openRequested, so both up means a
    // STOP came after it. A START that comes while the thread is on its way to
    // suspend itself keeps it awake (the window's resume would find it still
    // running); a STOP after it takes that back.
    void PressStart();
    void PressStop();
    // True from just before the thread suspends itself until it runs on.
    bool Suspending() const { return suspending_.load(); }

    // For tests and diagnostics (link thread's data; read it only while the cycle is idle).
    const uint8_t* replyBuffer() const { return replyBuffer_; }
    bool linkOpen() const { return linkOpen_; }
    const std::string& portNameCopy() const { return portNameCopy_; }

  private:
    bool openStep();
    bool closeStep();
    bool pollStep(JudgedReply& judged);
    void presentStep(const JudgedReply& judged);
    void clearReplyBuffer();
    void suspend();

    LinkRequests& requests_;
    const Selection& selection_;
    EcuData& ecu_;
    SerialPort& port_;
    LinkEvents& events_;
    LinkSuspension& suspension_;
    ReplyPresenter presenter_;
    ReplySink* tap_ = nullptr;
    CommandSink* commandTap_ = nullptr;
    std::atomic<bool> stop_{false};
    std::atomic<bool> startPending_{false};
    std::atomic<bool> suspending_{false};
    std::string portNameCopy_;
    bool linkOpen_ = false;
    uint8_t replyBuffer_[kReplyBufferSize] = {};
};
