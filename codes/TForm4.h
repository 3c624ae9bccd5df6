#pragma once
// The trouble-code window: the ECU's stored faults as text lines with their
// number, refreshed every 100 ms, and a reset that asks the ECU to clear them.
#include "codes/TroubleCodeList.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Picture.h"
#include "ui/RichList.h"
#include "ui/Timer.h"

struct MainState;

class TForm4 : public ui::Form {
  public:
    // Builds the window over `owner` and shows it; Timer1 is still off.
    TForm4(MainState& state, HWND owner);

    // Image1 is the form's background picture.
    ui::Picture Image2, Image3;
    ui::Label Label1, Label2, Label20, Label21;
    ui::RichList RichEdit1;
    ui::Timer Timer1;

    void Timer1Timer();
    void Image2MouseUp();
    void Image3MouseUp();

  private:
    void build();

    MainState& state_;
    TroubleCodeList codes_;
};

extern TForm4* Form4;

// A new trouble-code window over `owner` (the one before, closed by now, is
// freed), the owner disabled and the refresh running.
TForm4* ShowTroubleCodeWindow(MainState& state, HWND owner);
