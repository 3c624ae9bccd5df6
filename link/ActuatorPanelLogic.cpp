#include "link/ActuatorPanelLogic.h"

#include <algorithm>

#include "state/EcuData.h"
#include "state/LinkRequests.h"
#include "state/Selection.h"
#include "link/DesiredIdle.h"
#include "link/FormatFixed.h"

const char kRequestAccepted[] = "ЭБУ принял запрос.";
const char kRequestRejected[] = "ЭБУ отклонил запрос.";

namespace {

// Which command slot each button requests.
struct ButtonSlot {
    int image;
    int slot;
};
const ButtonSlot kButtonSlots[] = {
    {12, 0 }, // check-engine lamp on
    {4,  1 }, // check-engine lamp off
    {16, 2 }, // fan on
    {8,  3 }, // fan off
    {17, 4 }, // air-conditioning on
    {9,  5 }, // air-conditioning off
    {13, 6 }, // shift lamp on (families 1..3)
    {14, 6 }, // close the oxygen loop (family 4)
    {5,  7 }, // shift lamp off (families 1..3)
    {6,  7 }, // open the oxygen loop (family 4)
    {10, 10}, // reset idle air control (family 4)
    {18, 10}, // reset idle air control (family 4)
};

constexpr int kIdleSlot = 9;
constexpr int kMixtureSlot = 13;
constexpr int kReturnControlImage = 2;
constexpr int kExitImage = 3;

// The blank pictures beneath the trackbars.
const int kBlankImages[] = {7, 11, 15, 19};

// Rows that only family 4 serves, and those only families 1..3 serve.
const int kFamily4Images[] = {6, 10, 14, 18};
const int kFamily4Labels[] = {7, 8, 10, 13, 15};
const int kShiftLampImages[] = {5, 13};
constexpr int kShiftLampLabel = 6;

constexpr int kStatusLabel = 11;
constexpr int kDesiredIdleLabel = 12;
constexpr int kAirFuelLabel = 13;
constexpr int kIdleLabel = 14;
constexpr int kMixtureLabel = 15;

int ClampByte(int value) {
    return std::clamp(value, 0, 255);
}

} // namespace

ActuatorPanelLogic::ActuatorPanelLogic(const Selection& selection, const EcuData& ecu,
                                       LinkRequests& requests, ActuatorView& view)
    : selection_(selection), ecu_(ecu), requests_(requests), view_(view) {
    // The window as built: every button but the blank ones enabled, both
    // trackbars enabled at 0, the family-4 rows grey.
    for (int image = 2; image <= 19; ++image)
        imageEnabled_[image] = true;
    for (int image : kBlankImages)
        imageEnabled_[image] = false;
    trackBarEnabled_[1] = trackBarEnabled_[2] = true;
}

void ActuatorPanelLogic::open() {
    const int family = selection_.ecuFamily.load();
    if (family >= 1 && family <= 3) {
        for (int image : kShiftLampImages)
            setImageEnabled(image, true);
        for (int image : kFamily4Images)
            setImageEnabled(image, false);
        setTrackBarEnabled(2, false);
        for (int label : kFamily4Labels)
            view_.setLabelActive(label, false);
        view_.setLabelActive(kShiftLampLabel, true);
    } else if (family == 4) {
        for (int image : kShiftLampImages)
            setImageEnabled(image, false);
        view_.setLabelActive(kShiftLampLabel, false);
        for (int image : kFamily4Images)
            setImageEnabled(image, true);
        setTrackBarEnabled(2, true);
        for (int label : kFamily4Labels)
            view_.setLabelActive(label, true);
    }

    view_.setRefreshTimer(true);

    const DesiredIdle idle = ReadDesiredIdle(selection_, ecu_);
    if (idle.follow) setIdlePosition(idle.raw);
}

void ActuatorPanelLogic::imageReleased(int image) {
    if (closed_ || !imageEnabled(image)) return;
    if (image == kExitImage) {
        exit();
        return;
    }
    if (image == kReturnControlImage) {
        requests_.returnControlRequested.store(1);
        startStatusTimer();
        return;
    }
    for (const ButtonSlot& button : kButtonSlots) {
        if (button.image == image) {
            request(button.slot);
            startStatusTimer();
            return;
        }
    }
}

void ActuatorPanelLogic::trackBarMoved(int trackBar, int position) {
    if (closed_ || !trackBarEnabled(trackBar)) return;
    if (trackBar == 1) setIdlePosition(position);
    if (trackBar == 2) setMixturePosition(position);
}

void ActuatorPanelLogic::refreshTick() {
    if (closed_) return;
    const DesiredIdle idle = ReadDesiredIdle(selection_, ecu_);
    if (idle.follow) setIdlePosition(idle.raw);
    view_.setLabelText(kDesiredIdleLabel, idle.text);

    if (selection_.ecuFamily.load() == 4) {
        const int raw = ecu_.ecuAirFuelRaw.load();
        setMixturePosition(raw);
        view_.setLabelText(kAirFuelLabel,
                           formatFixed(raw * 0.1f, 1, selection_.decimalSeparator.load()));
    } else {
        view_.setLabelText(kAirFuelLabel, "0,0");
    }

    if (statusTimerRunning_) {
        const int status = requests_.requestStatus.load();
        if (status == 1) view_.setLabelText(kStatusLabel, kRequestAccepted);
        if (status == 2) view_.setLabelText(kStatusLabel, kRequestRejected);
    }
}

void ActuatorPanelLogic::statusTick() {
    if (!statusTimerRunning_) return;
    view_.setLabelText(kStatusLabel, "");
    statusTimerRunning_ = false;
    view_.setStatusTimer(false);
}

bool ActuatorPanelLogic::imageEnabled(int image) const {
    return image >= 2 && image <= 19 && imageEnabled_[image];
}

bool ActuatorPanelLogic::trackBarEnabled(int trackBar) const {
    return (trackBar == 1 || trackBar == 2) && trackBarEnabled_[trackBar];
}

int ActuatorPanelLogic::trackBarPosition(int trackBar) const {
    return (trackBar == 1 || trackBar == 2) ? trackBarPosition_[trackBar] : 0;
}

void ActuatorPanelLogic::setImageEnabled(int image, bool enabled) {
    imageEnabled_[image] = enabled;
    view_.setImageEnabled(image, enabled);
}

void ActuatorPanelLogic::setTrackBarEnabled(int trackBar, bool enabled) {
    trackBarEnabled_[trackBar] = enabled;
    view_.setTrackBarEnabled(trackBar, enabled);
}

// A trackbar set to the position it already has is no change.
void ActuatorPanelLogic::setIdlePosition(int position) {
    position = ClampByte(position);
    if (position == trackBarPosition_[1]) return;
    trackBarPosition_[1] = position;
    view_.setTrackBarPosition(1, position);
    requests_.idleTarget.store(position);
    view_.setLabelText(kIdleLabel, std::to_string(static_cast<int>(position * 6.25)));
    request(kIdleSlot);
    startStatusTimer();
}

void ActuatorPanelLogic::setMixturePosition(int position) {
    position = ClampByte(position);
    if (position == trackBarPosition_[2]) return;
    trackBarPosition_[2] = position;
    view_.setTrackBarPosition(2, position);
    requests_.mixtureTarget.store(position);
    view_.setLabelText(kMixtureLabel,
                       formatFixed(position * 0.1f, 1, selection_.decimalSeparator.load()));
    request(kMixtureSlot);
    startStatusTimer();
}

// The target is stored before the flag; the link thread reads it after it has
// seen the flag.
void ActuatorPanelLogic::request(int slot) {
    requests_.commandRequests[slot].store(1);
}

// Starting the status timer while it runs changes nothing: the two seconds
// count from the first of several quick requests.
void ActuatorPanelLogic::startStatusTimer() {
    if (statusTimerRunning_) return;
    statusTimerRunning_ = true;
    view_.setStatusTimer(true);
}

void ActuatorPanelLogic::exit() {
    closed_ = true;
    view_.setRefreshTimer(false);
    view_.enableMainWindow();
    requests_.returnControlRequested.store(1);
    view_.closeWindow();
}
