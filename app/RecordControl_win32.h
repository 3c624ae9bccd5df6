#pragma once
// The record control of the main window: the "Запись" toggle above "Цвета", "Визит"
// under it (the window «Автомобиль и визит»), and on the panel's top row a blinking
// red lamp, the elapsed time, the file name and the "Метка" button; M and the space
// bar put a marker too. The vehicle and visit typed are kept for the session: each
// recording started gets them right after its header, and a recording running when
// they change gets them again there and at its end. It owns the
// recorder, which is the link cycle's reply and command tap for the whole run,
// so the minutes before fill while connected. The link thread only hands
// replies to the recorder; the disk is the recorder's writer thread's.
//
// New recordings go to <Documents>\MOTOSKOP\Записи; the environment variable
// MOTOSKOP_DOCUMENTS, when set, stands in for the Documents folder.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "link/CommandSink.h"
#include "platform/UsbAdapterFacts.h"
#include "platform/Win32Registry.h"
#include "record/RecordFile_win32.h"
#include "record/Recorder.h"
#include "record/RecordingSession.h"
#include "record/TFormVisit.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/Label.h"
#include "ui/Picture.h"
#include "ui/Timer.h"

class Com_Port;
struct MainState;

class RecordControl : public CommandSink {
  public:
    // Adds the controls to form and taps link (which must not be running yet).
    // The recordings go through file when given (tests), else through the wide API;
    // the workshop's name is kept in registry when given, else in the user's registry.
    RecordControl(ui::Form& form, MainState& state, Com_Port* link, RecordFile* file = nullptr,
                  Registry* registry = nullptr);
    ~RecordControl() override;
    RecordControl(const RecordControl&) = delete;
    RecordControl& operator=(const RecordControl&) = delete;

    // The "Запись" button: starts or stops.
    void toggle();
    // Starts recording into path (UTF-8), or into the recordings folder under a
    // new name when path is empty; false (and the user told why) when it cannot.
    bool start(const std::string& path = std::string());
    void stop();
    // The program ends: stops and closes the file without a word.
    void finish();
    bool recording() const { return active_; }
    // A marker now; its number, 0 when not recording.
    int marker();
    // START (connected true) or STOP as the main window carries it out.
    void linkPressed(bool connected);
    // A recording opened for replay (shown true) or closed: no poll comes while
    // one plays, so a running recording stops and the button rests till it closes.
    void replayShown(bool shown);

    // "Визит": the window «Автомобиль и визит» over the main window.
    void openVisit();
    // What it stores on OK: the session's visit (into a running recording too) and
    // the workshop's name; the message when the name could not be stored.
    std::string saveVisit(const VisitForm& typed);
    const recfile::Visit& visit() const { return visit_; }
    TFormVisit* visitWindow() { return visitWindow_.get(); }

    // The file of the running (or last) recording.
    const std::string& path() const { return path_; }
    // The folder new recordings go to.
    static std::string RecordingsFolder();

    // What the control tells the user (a message box unless replaced).
    std::function<void(const std::string&)> ShowMessage;

    // The controls.
    ui::Picture RecordButton; // 485, 322: "Запись"
    ui::Picture MarkButton;   // "Метка"
    ui::Picture VisitButton;  // "Визит", under "Цвета"
    ui::Picture Lamp;
    ui::Label TimeLabel, NameLabel;
    ui::ImageList RecordFrames, LampFrames;
    ui::Timer Tick; // while recording: lamp, time, failure, change of car

    // CommandSink (link thread).
    void commandExchanged(const uint8_t* frame, std::size_t size, CommandOutcome outcome) override;
    void clearCodesSent() override;

  private:
    void onTick();
    // Stops the recorder, a visit changed while recording repeated at the file's end first.
    RecorderStop stopRecorder();
    // The header for the current choice, with the adapter asked about at the start.
    recfile::RecordingHeader header() const;
    void showRecording();
    void showIdle();
    void showName(const std::string& text, COLORREF colour);
    void tell(const char* message, const std::string& detail = std::string());
    bool keyDown(WPARAM key, LPARAM flags);

    ui::Form& form_;
    MainState& state_;
    Com_Port* link_;
    Win32RecordFile ownFile_;
    Recorder recorder_;
    bool active_ = false; // between a start that worked and its stop
    std::string path_;
    int64_t startedMs_ = 0;
    int64_t markShownUntilMs_ = 0;
    VehicleChoice vehicle_;
    int keyHandler_ = 0;
    Win32Registry ownRegistry_;
    Registry& registry_;
    UsbAdapterFacts adapter_;   // asked when a recording starts
    recfile::Visit visit_;      // the session's
    bool visitChanged_ = false; // while the running recording runs
    std::unique_ptr<TFormVisit> visitWindow_;
};
