#include "checks/ChecksHost_win32.h"

#include "assets/resource.h"
#include "link/ComPort_win32.h"
#include "platform/Clock.h"
#include "record/RecordingSession.h"
#include "state/MainState.h"
#include "ui/Form.h"

namespace {

// On the readout's frame, right of its two title lines, in the column of "Открыть" and
// "О программе" (scripts/positions.sh has it as CHECKS).
constexpr int kButtonX = 704, kButtonY = 37, kButtonW = 67, kButtonH = 20;

} // namespace

ChecksHost::~ChecksHost() {
    window_.reset();
    if (link_) link_->SetCheckTaps(nullptr, nullptr);
}

void ChecksHost::attach(ui::Form& form, MainState& state, Com_Port* link) {
    form_ = &form;
    state_ = &state;
    link_ = link;
    Selection& selection = state.selection;
    ring_ = std::make_unique<checks::LiveCheckRing>(
        [&selection] { return selection.ecuFamily.load(); }, SteadyMs);
    if (link_) link_->SetCheckTaps(ring_.get(), ring_.get());

    ChecksButton.setBounds(kButtonX, kButtonY, kButtonW, kButtonH);
    ChecksButton.setPicture(ui::Bitmap::FromResource(IDB_MAIN_CHECKS));
    ChecksButton.OnMouseDown = [this](ui::MouseButton, int, int) {
        ChecksButton.setPicture(ui::Bitmap::FromResource(IDB_MAIN_CHECKS_LIT));
    };
    ChecksButton.OnMouseUp = [this](ui::MouseButton, int x, int y) {
        ChecksButton.setPicture(ui::Bitmap::FromResource(IDB_MAIN_CHECKS));
        if (x >= 0 && y >= 0 && x < ChecksButton.width() && y < ChecksButton.height()) open();
    };
    form.add(ChecksButton);
}

void ChecksHost::linkPressed(bool connected) {
    if (!ring_) return;
    if (connected)
        ring_->linkStarted(ChosenVehicle(state_->selection));
    else
        ring_->linkStopped();
}

void ChecksHost::open() {
    if (!ring_) return;
    if (window_) {
        window_->show();
        SetWindowPos(window_->handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return;
    }
    // Closed from inside its own handlers: it is destroyed once they have returned.
    window_ = std::make_unique<TFormChecks>(form_->handle(), *ring_, state_->selection,
                                            [this] { form_->post([this] { close(); }); });
}

void ChecksHost::close() {
    window_.reset();
}
