#pragma once
// The replay window: 800 x 190 under the main window, with play/pause, speed,
// the position slider with the elapsed time and the recorded date-time, steps,
// jumps to the previous or next marker or event, the list of markers and
// events, and the CSV export of the whole recording or between two markers.
// The main window owns it (ReplayHost); it does not take the main window's
// input away, so graph sets, arrows and colours stay at hand while it plays.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "replay/ReplaySession.h"
#include "replay/ReplayTexts.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/Picture.h"
#include "ui/Timer.h"
#include "ui/TrackBar.h"

class TFormReplay : public ui::Form {
  public:
    // session is started here; path is the recording's (UTF-8), for the export's
    // default name. onClose runs when the user closes the window.
    TFormReplay(std::unique_ptr<ReplaySession> session, const std::string& path, HWND owner,
                std::function<void()> onClose);
    ~TFormReplay() override;

    ReplaySession& session() { return *session_; }

    ui::Picture PlayButton, StepBackButton, StepForwardButton, SlowerButton, FasterButton,
        PreviousButton, NextButton, FromButton, ToButton, PresetButton, ExportButton, CloseButton,
        MarkerSaveButton, AnalyseButton;
    ui::Label StepCaption, SpeedCaption, JumpCaption, SpeedLabel, TimeLabel, DateLabel;
    ui::Label FromCaption, ToCaption, PresetCaption, FromLabel, ToLabel, PresetLabel, MessageLabel;
    ui::Label MarkerCaption;
    ui::TrackBar Position;
    ui::Timer PlayTimer;
    ui::ListBox EventList; // a click jumps to the line's time
    ui::Edit MarkerEdit;   // the text of the marker chosen in the list
    // A marker's text was added to the file: the host opens it again at this time.
    std::function<void(uint32_t timeMs)> OnMarkerTextSaved;
    // "Анализ": the host opens the analysis window over this recording.
    std::function<void()> OnAnalyse;

    // The export as the button does it, to a path already chosen.
    void exportTo(const std::string& path);
    // The marker edit's text given to the marker chosen in the list, as its button does.
    void saveMarkerText();
    // A line of the text the window shows under its controls (a damaged file...).
    void showMessage(const std::string& text) { MessageLabel.setText(text); }
    // The labels, slider and play face as the player now stands.
    void refresh();

  private:
    void build();
    void buildList();
    void wire();
    void exportPressed();
    void changeSpeed(int by);
    void showPlayFace(bool pause, bool lit);
    void lineChosen(std::size_t line);

    std::unique_ptr<ReplaySession> session_;
    std::string path_;
    std::function<void()> onClose_;
    std::vector<ReplayEventLine> lines_;
    bool movingSlider_ = false;
    bool showingPause_ = false;
    int playFace_ = -1;
    unsigned ticks_ = 0;
    int from_ = 0, to_ = 0; // export span choices
    bool standard_ = false; // the export preset
    int markerNumber_ = 0;  // the marker whose text the edit holds; 0: none chosen
};
