#include "link/LinkCycle.h"

#include <cstring>

#include "link/CommandStep.h"
#include "link/LinkTexts.h"
#include "link/PortExchange.h"

namespace {

// 8200 baud, 8 data bits, no parity, two stop bits.
const SerialLineSettings portSettings{8200, 8, 0, 2};
// Read interval, read per byte, read constant, write per byte, write constant (ms).
const SerialTimeouts linkTimeouts{25, kReadTotalPerByteMs, kReadTotalConstantMs, 5, 5};
const uint8_t pollRequest[4] = {0xF4, 0x56, 0x01, 0xB5};

} // namespace

LinkCycle::LinkCycle(MainState& state, SerialPort& port, LinkEvents& events)
    : state_(state), port_(port), events_(events) {}

bool LinkCycle::RunOnce() {
    if (StopRequested()) return false;
    if (!openStep()) return false;
    if (!closeStep()) return false;
    if (!pollStep()) return false;
    DecodeReply(replyBuffer_, state_, events_);
    RunCommandStep(state_, port_, linkOpen_, stop_);
    return !StopRequested();
}

void LinkCycle::PressStart() {
    state_.closeRequested.store(0);
    state_.openRequested.store(1);
    startPending_.store(true);
}

void LinkCycle::PressStop() {
    startPending_.store(false);
    state_.closeRequested.store(1);
}

void LinkCycle::suspend() {
    suspending_.store(true);
    if (!startPending_.exchange(false)) events_.suspendSelf();
    startPending_.store(false); // the START that woke us has been answered
    suspending_.store(false);
}

bool LinkCycle::openStep() {
    if (state_.openRequested.load() != 1) return true;
    // A STOP after the last START: the close step acts on it.
    if (state_.closeRequested.load() == 1) return true;
    startPending_.store(false); // this open answers every START so far

    // A disconnect and a connect pressed while a poll was on the wire: the close
    // step never ran, so the port is still ours. Close it before opening anew.
    if (linkOpen_) {
        linkOpen_ = false;
        port_.close();
    }

    portNameCopy_ = state_.portName.get();
    const bool opened = port_.open(portNameCopy_);
    if (opened) port_.applyLineSettings(portSettings); // the result does not matter
    const bool configured = opened && port_.setTimeouts(linkTimeouts);

    if (configured) {
        events_.setStatus(linktext::kConnecting);
        // closeRequested is already down (START lowered it); one raised while the
        // port was opening is a later STOP and must still close it.
        state_.openRequested.store(0);
        linkOpen_ = true;
        return true;
    }

    port_.close(); // a half-opened port is never kept
    state_.closeRequested.store(0);
    events_.setStatus(linktext::kOpenFailed);
    state_.openRequested.store(1);
    suspend();
    // Only a START resumes the thread, and it lowered closeRequested: the next
    // cycle tries the port again, unless a STOP came after it.
    return !StopRequested();
}

bool LinkCycle::closeStep() {
    if (state_.closeRequested.load() != 1) return true;
    clearReplyBuffer();
    linkOpen_ = false;
    port_.close();
    state_.openRequested.store(1);
    state_.closeRequested.store(0);
    state_.dataValid.store(0.0f);
    suspend();
    return !StopRequested();
}

bool LinkCycle::pollStep() {
    if (!linkOpen_) return true;

    const int received =
        ExchangeOnPort(port_, pollRequest, sizeof pollRequest, replyBuffer_, kPollReadSize);
    if (StopRequested()) return false;

    // Judged by the echo and the count only: the buffer may still hold an older echo.
    const bool echoRight = std::memcmp(replyBuffer_, pollRequest, sizeof pollRequest) == 0;
    if (!echoRight) {
        events_.setStatus(linktext::kCheckAdapter);
        return true;
    }

    if (received == kGoodReplySize) {
        state_.rawFrame.store(replyBuffer_);
        events_.setStatus(linktext::kDataReceived);
        state_.dataValid.store(1.0f);
        events_.setDiagButtonsEnabled(true);
    } else {
        events_.setStatus(linktext::kNoAnswer);
        clearReplyBuffer();
        state_.dataValid.store(0.0f);
        state_.rawFrame.clear();
        events_.repaintRawPanel();
    }

    if (state_.closeRequested.load() == 1) {
        state_.rawFrame.clear();
        events_.repaintRawPanel();
        events_.setStatus(linktext::kLinkBroken);
        events_.setDiagButtonsEnabled(false);
    }
    return true;
}

void LinkCycle::clearReplyBuffer() {
    std::memset(replyBuffer_, 0, sizeof replyBuffer_);
}
