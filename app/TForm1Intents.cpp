// The main window as looking back at a recording sees it: what it asks for,
// carried out on the main window's own controls.
#include "app/RecordControl_win32.h"
#include "app/TForm1.h"
#include "link/ComPort_win32.h"
#include "platform/Clock.h"

namespace {

// How long a STOP may take before the recording is shown anyway: a poll on the
// wire ends within its read time-out (710 ms).
constexpr int64_t kStopWaitMs = 1500;
constexpr unsigned kStopLookMs = 10; // how often the link thread is looked at meanwhile

} // namespace

void TForm1::stopLink(std::function<void()> then) {
    stopThen_ = nullptr;
    StopWaitTimer.setEnabled(false);
    if (connectState != 1 || !linkThread) {
        if (connectState == 1) Image15MouseUp();
        then();
        return;
    }
    Image15MouseUp();
    stopThen_ = std::move(then);
    stopDeadlineMs_ = SteadyMs() + kStopWaitMs;
    StopWaitTimer.setInterval(kStopLookMs);
    StopWaitTimer.OnTimer = [this] {
        if (linkThread && !linkThread->SuspendedBySelf() && SteadyMs() < stopDeadlineMs_) return;
        StopWaitTimer.setEnabled(false);
        std::function<void()> then = std::move(stopThen_);
        stopThen_ = nullptr;
        if (then) then();
    };
    StopWaitTimer.setEnabled(true);
}

void TForm1::enterReplay() {
    if (recordControl) recordControl->replayShown(true);
    Image15.setEnabled(false);
    Image16.setEnabled(false);
    for (ui::Picture* p : {&Image2, &Image3, &Image4})
        p->setEnabled(false);
    state.requests.clearCodesRequested = 0;
    Image17.setEnabled(true); // the recording's trouble codes can be looked at
}

void TForm1::leaveReplay() {
    state.requests.clearCodesRequested = 0;
    state.ecu.rawFrame.clear();
    if (recordControl) recordControl->replayShown(false);
    Image15.setEnabled(true);
    Image16.setEnabled(false);
    Image17.setEnabled(false);
    for (ui::Picture* p : {&Image2, &Image3, &Image4})
        p->setEnabled(true);
    repaintGraphs();
    OpenGLPanel5.Invalidate();
}

UserVehicle TForm1::userVehicle() const {
    UserVehicle user;
    const Selection& s = state.selection;
    user.carIndex = s.carIndex;
    user.engineIndex = s.engineIndex;
    user.carKey = s.carKey;
    user.engineKey = s.engineKey;
    user.family = s.ecuFamily.load();
    user.carLabel = Label2.text();
    user.engineLabel = Label3.text();
    return user;
}
