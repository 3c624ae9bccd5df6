#include "app/RecordControl_win32.h"

#include <windows.h>

#include <algorithm>

#include "startup/Version.h"
#include "assets/resource.h"
#include "link/ComPort_win32.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/UsbSerialAdapter_win32.h"
#include "platform/Win32Folders.h"
#include "settings/ReportSettings.h"
#include "record/RecordTexts.h"
#include "record/RecordingName.h"
#include "state/MainState.h"
#include "ui/Colours.h"
#include "platform/TextConversion.h"

namespace {

// The places on the lower-right panel (tools/artgen/RecordArt.cpp draws their
// backgrounds): the top row y 298..318, the toggle above "Цвета".
constexpr int kLampX = 489, kLampY = 302, kLampSize = 12;
constexpr int kTimeX = 510, kTextY = 302;
constexpr int kNameX = 566, kNameMaxWidth = 141;
constexpr int kRecordX = 485, kRecordY = 322, kRecordW = 67, kRecordH = 20; // above "Цвета"
constexpr int kMarkX = 717, kMarkY = 299, kMarkW = 48, kMarkH = 18;
constexpr int kVisitX = 485, kVisitY = 372, kVisitW = 67, kVisitH = 16; // under "Цвета"
// The buttons' places are in scripts/positions.sh too.

enum RecordFrame { kIdle = 0, kIdlePressed = 1, kRecording = 2, kRecordingPressed = 3 };

constexpr unsigned kTickMs = 100;
constexpr int64_t kBlinkMs = 500;
constexpr int64_t kMarkShownMs = 1500;

constexpr COLORREF kDimGreen = RGB(96, 128, 100);
constexpr COLORREF kAlarmRed = RGB(255, 90, 70);

} // namespace

std::string RecordControl::RecordingsFolder() {
    return DocumentsFolder() + "\\MOTOSKOP\\Записи";
}

RecordControl::RecordControl(ui::Form& form, MainState& state, Com_Port* link, RecordFile* file,
                             Registry* registry)
    : form_(form), state_(state), link_(link), recorder_(file ? *file : ownFile_, SteadyMs),
      registry_(registry ? *registry : ownRegistry_) {
    ShowMessage = [this](const std::string& text) {
        MessageBoxW(form_.handle(), Widen(text).c_str(), L"MOTOSKOP", MB_OK | MB_ICONWARNING);
    };

    RecordFrames.loadStrip(ui::Bitmap::FromResource(IDB_MAIN_RECORD), kRecordW, kRecordH);
    LampFrames.loadStrip(ui::Bitmap::FromResource(IDB_MAIN_REC_LAMP), kLampSize, kLampSize);

    RecordButton.setBounds(kRecordX, kRecordY, kRecordW, kRecordH);
    RecordButton.setDimWhenDisabled(true); // resting while a recording plays
    RecordFrames.getBitmap(kIdle, RecordButton);
    RecordButton.OnMouseDown = [this](ui::MouseButton, int, int) {
        RecordFrames.getBitmap(active_ ? kRecordingPressed : kIdlePressed, RecordButton);
    };
    RecordButton.OnMouseUp = [this](ui::MouseButton, int, int) { toggle(); };
    form_.add(RecordButton);

    Lamp.setBounds(kLampX, kLampY, kLampSize, kLampSize);
    Lamp.setVisible(false); // the dark lamp is in the background
    form_.add(Lamp);

    TimeLabel.setColour(ui::kLabelAmber);
    TimeLabel.setBold(true);
    TimeLabel.place(kTimeX, kTextY);
    form_.add(TimeLabel);
    NameLabel.setColour(ui::kLabelGreen);
    NameLabel.place(kNameX, kTextY);
    form_.add(NameLabel);

    MarkButton.setBounds(kMarkX, kMarkY, kMarkW, kMarkH);
    MarkButton.setPicture(ui::Bitmap::FromResource(IDB_MAIN_MARK));
    MarkButton.setDimWhenDisabled(true);
    ui::MakePressButton(MarkButton, [this] { marker(); });
    form_.add(MarkButton);

    VisitButton.setBounds(kVisitX, kVisitY, kVisitW, kVisitH);
    VisitButton.setPicture(ui::Bitmap::FromResource(IDB_MAIN_VISIT));
    ui::MakePressButton(VisitButton, [this] { openVisit(); });
    form_.add(VisitButton);

    Tick.setInterval(kTickMs);
    Tick.OnTimer = [this] { onTick(); };

    keyHandler_ = form_.addChildHandler([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        if (msg != WM_KEYDOWN || !keyDown(wp, lp)) return false;
        result = 0;
        return true;
    });

    if (link_) link_->SetTaps(&recorder_, this);
    showIdle();
}

RecordControl::~RecordControl() {
    form_.removeChildHandler(keyHandler_);
    Tick.setEnabled(false);
    if (link_) link_->SetTaps(nullptr, nullptr);
    if (active_) recorder_.stop();
}

void RecordControl::toggle() {
    if (active_)
        stop();
    else
        start();
    RecordFrames.getBitmap(active_ ? kRecording : kIdle, RecordButton);
}

bool RecordControl::start(const std::string& path) {
    if (active_) return true;
    const LocalTime now = LocalTimeAt(WallNow());
    const int64_t monoNow = SteadyMs();
    adapter_ = QueryUsbSerialPort(state_.selection.portName.get());
    const recfile::RecordingHeader header = this->header();
    std::string folder, name;
    if (path.empty()) {
        folder = RecordingsFolder();
        name = RecordingFileName(header.car, header.engine, now);
    } else {
        SplitPath(path, folder, name);
        // A folder ("D:\Поездки\"): a new name in it.
        if (name.empty()) name = RecordingFileName(header.car, header.engine, now);
    }
    if (!CreateFolders(folder)) {
        tell(rectext::kCannotCreateFolder, folder);
        return false;
    }
    const RecordingStart started =
        StartRecordingIn(recorder_, folder, name, header, now, monoNow, visit_);
    if (started.error != FileError::None) {
        tell(started.message, JoinPath(folder, name));
        return false;
    }
    active_ = true;
    path_ = started.path;
    startedMs_ = monoNow;
    markShownUntilMs_ = 0;
    visitChanged_ = false;
    vehicle_ = ChosenVehicle(state_.selection);
    showRecording();
    return true;
}

recfile::RecordingHeader RecordControl::header() const {
    recfile::RecordingHeader h = HeaderForSelection(state_.selection, MOTOSKOP_VERSION);
    PutAdapterFacts(h, adapter_);
    return h;
}

RecorderStop RecordControl::stopRecorder() {
    // Where a reader of the file's tail finds it.
    if (visitChanged_) recorder_.visitChanged(SteadyMs(), visit_);
    visitChanged_ = false;
    return recorder_.stop();
}

void RecordControl::openVisit() {
    VisitForm shown;
    shown.visit = visit_;
    shown.workshop = LoadWorkshopName(registry_);
    visitWindow_.reset(); // the one from the last opening, closed by now
    visitWindow_ = std::make_unique<TFormVisit>(
        shown, [this](const VisitForm& typed) { return saveVisit(typed); }, form_.handle());
}

std::string RecordControl::saveVisit(const VisitForm& typed) {
    if (typed.visit != visit_) {
        visit_ = typed.visit;
        if (active_) {
            recorder_.visitChanged(SteadyMs(), visit_);
            visitChanged_ = true;
        }
    }
    if (typed.workshop != LoadWorkshopName(registry_) &&
        !SaveWorkshopName(registry_, typed.workshop))
        return kWorkshopNotSaved;
    return std::string();
}

void RecordControl::stop() {
    if (!active_) return;
    active_ = false;
    const RecorderStop result = stopRecorder();
    showIdle();
    if (result.message) tell(result.message, path_);
}

void RecordControl::replayShown(bool shown) {
    if (shown) stop();
    RecordFrames.getBitmap(kIdle, RecordButton);
    RecordButton.setEnabled(!shown);
}

void RecordControl::finish() {
    if (!active_) return;
    active_ = false;
    stopRecorder();
    showIdle();
}

int RecordControl::marker() {
    if (!active_) return 0;
    const int number = recorder_.marker(SteadyMs());
    if (number > 0) {
        markShownUntilMs_ = SteadyMs() + kMarkShownMs;
        showName(std::string(rectext::kMarker) + " " + std::to_string(number), ui::kLabelAmber);
    }
    return number;
}

void RecordControl::linkPressed(bool connected) {
    const int64_t now = SteadyMs();
    if (connected) {
        recorder_.clearPreRoll(); // a new connection starts afresh
        recorder_.linkStarted(now);
    } else {
        recorder_.linkStopped(now);
    }
}

void RecordControl::commandExchanged(const uint8_t* frame, std::size_t size,
                                     CommandOutcome outcome) {
    recorder_.commandSent(SteadyMs(), frame, size,
                          outcome == CommandOutcome::Confirmed ? recfile::CommandVerdict::Confirmed
                                                               : recfile::CommandVerdict::Rejected);
}

void RecordControl::clearCodesSent() {
    recorder_.clearCodesRequested(SteadyMs());
}

void RecordControl::onTick() {
    if (!active_) return;
    if (const char* failure = recorder_.failure()) {
        // The disk gave up: the recording has stopped itself; the link goes on.
        active_ = false;
        recorder_.stop();
        showIdle();
        RecordFrames.getBitmap(kIdle, RecordButton);
        showName(failure, kAlarmRed);
        tell(failure, path_);
        return;
    }
    const VehicleChoice vehicle = ChosenVehicle(state_.selection);
    if (vehicle != vehicle_) {
        vehicle_ = vehicle;
        recorder_.vehicleChanged(header(), LocalTimeAt(WallNow()), SteadyMs());
    }
    const int64_t elapsed = SteadyMs() - startedMs_;
    const int phase = static_cast<int>(elapsed / kBlinkMs % 2);
    LampFrames.getBitmap(phase, Lamp); // 0 lit, 1 dark
    const std::string time = ElapsedText(elapsed);
    if (TimeLabel.text() != time) TimeLabel.setText(time);
    if (markShownUntilMs_ != 0 && SteadyMs() >= markShownUntilMs_) {
        markShownUntilMs_ = 0;
        showRecording();
    }
}

void RecordControl::showRecording() {
    Lamp.setVisible(true);
    LampFrames.getBitmap(0, Lamp);
    TimeLabel.setColour(ui::kLabelAmber);
    TimeLabel.setText(ElapsedText(SteadyMs() - startedMs_));
    showName(FileStemOf(path_), ui::kLabelGreen);
    MarkButton.setEnabled(true);
    RecordFrames.getBitmap(kRecording, RecordButton);
    Tick.setEnabled(true);
}

void RecordControl::showIdle() {
    Tick.setEnabled(false);
    Lamp.setVisible(false);
    MarkButton.setEnabled(false);
    RecordFrames.getBitmap(kIdle, RecordButton);
    if (path_.empty()) {
        TimeLabel.setText("");
        showName("", kDimGreen);
        return;
    }
    // The last recording stays named, dimmed.
    TimeLabel.setColour(kDimGreen);
    showName(FileStemOf(path_), kDimGreen);
}

void RecordControl::showName(const std::string& text, COLORREF colour) {
    NameLabel.setColour(colour);
    // As much of the name as fits, its end (the date and time) kept.
    std::size_t chars = text.size();
    for (;;) {
        NameLabel.setText(ShortenMiddle(text, chars));
        if (NameLabel.width() <= kNameMaxWidth || chars <= 2) break;
        --chars;
    }
}

void RecordControl::tell(const char* message, const std::string& detail) {
    if (!message) return;
    if (ShowMessage) ShowMessage(detail.empty() ? message : std::string(message) + "\n" + detail);
}

bool RecordControl::keyDown(WPARAM key, LPARAM flags) {
    if (key != VK_SPACE && key != 'M') return false;
    if (flags & (1 << 30)) return active_; // held down: one marker per press
    return marker() > 0;
}
