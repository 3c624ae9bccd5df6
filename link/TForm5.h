#pragma once
// The actuator window: switches ECU outputs, sets the idle speed and (family 4)
// the mixture, hands control back to the ECU. What it does is in
// ActuatorPanelLogic; this class is the window and its controls.
#include "link/ActuatorPanelLogic.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Picture.h"
#include "ui/Timer.h"
#include "ui/TrackBar.h"

struct MainState;

class TForm5 : public ui::Form, private ActuatorView {
  public:
    // Builds the window over `owner`, shows it and starts the refresh.
    TForm5(MainState& state, HWND owner);

    // Image1 is the form's background picture.
    ui::Picture Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Image11,
        Image12, Image13, Image14, Image15, Image16, Image17, Image18, Image19;
    ui::Label Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10,
        Label11, Label12, Label13, Label14, Label15;
    ui::TrackBar TrackBar1, TrackBar2;
    ui::Timer Timer1, Timer2;

    void Timer1Timer() { logic_.refreshTick(); }
    void Timer2Timer() { logic_.statusTick(); }
    const ActuatorPanelLogic& logic() const { return logic_; }

  private:
    ui::Picture* image(int number);
    ui::Label* label(int number);
    ui::TrackBar* trackBar(int number);
    void build();

    // ActuatorView
    void setImageEnabled(int image, bool enabled) override;
    void setTrackBarEnabled(int trackBar, bool enabled) override;
    void setTrackBarPosition(int trackBar, int position) override;
    void setLabelActive(int label, bool active) override;
    void setLabelText(int label, const std::string& text) override;
    void setRefreshTimer(bool running) override { Timer1.setEnabled(running); }
    void setStatusTimer(bool running) override { Timer2.setEnabled(running); }
    void enableMainWindow() override { SetWindowEnabled(owner(), true); }
    void closeWindow() override { close(); }

    ActuatorPanelLogic logic_;
};

extern TForm5* Form5;

// A new actuator window over `owner` (the one before, closed by now, is freed)
// and the owner disabled.
TForm5* ShowActuatorWindow(MainState& state, HWND owner);
