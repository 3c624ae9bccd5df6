#include "link/LinkCycle.h"

#include <cstring>

#include "link/CommandStep.h"
#include "platform/Clock.h"
#include "link/LinkTexts.h"
#include "link/PortExchange.h"

namespace {

// 8200 baud, 8 data bits, no parity, two stop bits.
const SerialLineSettings portSettings{8200, 8, 0, 2};
// Read interval, read per byte, read constant, write per byte, write constant (ms).
const SerialTimeouts linkTimeouts{25, kReadTotalPerByteMs, kReadTotalConstantMs, 5, 5};
const uint8_t pollRequest[4] = {0xF4, 0x56, 0x01, 0xB5};

} // namespace

LinkCycle::LinkCycle(LinkRequests& requests, const Selection& selection, EcuData& ecu,
                     SerialPort& port, LinkEvents& events, LinkSuspension& suspension)
    : requests_(requests), selection_(selection), ecu_(ecu), port_(port), events_(events),
      suspension_(suspension), presenter_(selection, ecu, events) {}

bool LinkCycle::RunOnce() {
    if (StopRequested()) return false;
    if (!openStep()) return false;
    if (!closeStep()) return false;
    JudgedReply judged;
    if (!pollStep(judged)) return false;
    presentStep(judged);
    RunCommandStep(requests_, selection_.ecuFamily.load(), port_, linkOpen_, stop_, commandTap_);
    return !StopRequested();
}

void LinkCycle::PressStart() {
    requests_.closeRequested.store(0);
    requests_.openRequested.store(1);
    startPending_.store(true);
}

void LinkCycle::PressStop() {
    startPending_.store(false);
    requests_.closeRequested.store(1);
}

void LinkCycle::suspend() {
    suspending_.store(true);
    if (!startPending_.exchange(false)) suspension_.suspendSelf();
    startPending_.store(false); // the START that woke us has been answered
    suspending_.store(false);
}

bool LinkCycle::openStep() {
    if (requests_.openRequested.load() != 1) return true;
    // A STOP after the last START: the close step acts on it.
    if (requests_.closeRequested.load() == 1) return true;
    startPending_.store(false); // this open answers every START so far

    // A disconnect and a connect pressed while a poll was on the wire: the close
    // step never ran, so the port is still ours. Close it before opening anew.
    if (linkOpen_) {
        linkOpen_ = false;
        port_.close();
    }

    portNameCopy_ = selection_.portName.get();
    const bool opened = port_.open(portNameCopy_);
    if (opened) port_.applyLineSettings(portSettings); // the result does not matter
    const bool configured = opened && port_.setTimeouts(linkTimeouts);

    if (configured) {
        events_.setStatus(linktext::kConnecting);
        // closeRequested is already down (START lowered it); one raised while the
        // port was opening is a later STOP and must still close it.
        requests_.openRequested.store(0);
        linkOpen_ = true;
        return true;
    }

    port_.close(); // a half-opened port is never kept
    requests_.closeRequested.store(0);
    events_.setStatus(linktext::kOpenFailed);
    requests_.openRequested.store(1);
    suspend();
    // Only a START resumes the thread, and it lowered closeRequested: the next
    // cycle tries the port again, unless a STOP came after it.
    return !StopRequested();
}

bool LinkCycle::closeStep() {
    if (requests_.closeRequested.load() != 1) return true;
    clearReplyBuffer();
    linkOpen_ = false;
    port_.close();
    requests_.openRequested.store(1);
    requests_.closeRequested.store(0);
    ecu_.dataValid.store(0.0f);
    suspend();
    return !StopRequested();
}

bool LinkCycle::pollStep(JudgedReply& judged) {
    judged.buffer = replyBuffer_;
    if (!linkOpen_) return true; // NotPolled: the buffer is shown as it stands

    const int received =
        ExchangeOnPort(port_, pollRequest, sizeof pollRequest, replyBuffer_, kPollReadSize);
    if (StopRequested()) return false;
    judged.timeMs = SteadyMs();
    judged.received = received;

    // Judged by the echo and the count only: the buffer may still hold an older echo.
    const bool echoRight = std::memcmp(replyBuffer_, pollRequest, sizeof pollRequest) == 0;
    if (!echoRight) {
        judged.outcome = PollOutcome::WrongEcho;
        return true;
    }
    if (received != kGoodReplySize) clearReplyBuffer();
    if (requests_.closeRequested.load() == 1)
        judged.outcome = PollOutcome::LinkBroken;
    else
        judged.outcome =
            received == kGoodReplySize ? PollOutcome::GoodReply : PollOutcome::NoAnswer;
    return true;
}

void LinkCycle::presentStep(const JudgedReply& judged) {
    presenter_.replyJudged(judged);
    if (tap_ && judged.outcome != PollOutcome::NotPolled) tap_->replyJudged(judged);
}

void LinkCycle::clearReplyBuffer() {
    std::memset(replyBuffer_, 0, sizeof replyBuffer_);
}
