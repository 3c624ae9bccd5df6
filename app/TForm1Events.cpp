// The main window's buttons, the START/STOP blink and what the link thread and
// the sampler ask of the window.
#include <windows.h>

#include <mmsystem.h>

#include <memory>

#include "app/TForm1.h"
#include "app/RecordControl_win32.h"
#include "ui/SystemIds.h"
#include "app/TForm7.h"
#include "codes/TForm4.h"
#include "link/ComPort_win32.h"
#include "link/TForm5.h"
#include "live/GraphStepping.h"
#include "settings/GraphSets.h"
#include "settings/TForm6.h"
#include "settings/VehicleSelection.h"

namespace {

enum ConnectFrame {
    kStartLit = 0,
    kStartDark = 1,
    kStartPressed = 2,
    kStopLit = 3,
    kStopPressed = 5
};

const char* const kGraphValueNames[4] = {"Graf1", "Graf2", "Graf3", "Graf4"};

} // namespace

void TForm1::wireHandlers() {
    Image19.OnMouseDown = [this](ui::MouseButton b, int, int) { Image19MouseDown(b); };
    Image15.OnMouseDown = [this](ui::MouseButton, int, int) { Image15MouseDown(); };
    Image15.OnMouseUp = [this](ui::MouseButton, int, int) { Image15MouseUp(); };
    Timer1.OnTimer = [this] { Timer1Timer(); };

    ui::MakePressButton(Image13, [this] { Image13MouseUp(); });
    ui::MakePressButton(Image17, [this] { Image17MouseUp(); });
    ui::MakePressButton(Image16, [this] { Image16MouseUp(); });
    ui::MakePressButton(Image32, [this] { Image32MouseUp(); });
    ui::MakePressButton(Image33, [this] { Image33MouseUp(); });
    ui::MakePressButton(Image3, [this] { SelectNextCar(registry_, state.selection, *this); });
    ui::MakePressButton(Image4, [this] { SelectNextEngine(registry_, state.selection, *this); });
    ui::MakePressButton(Image2, [this] { selectNextPort(); });

    // Graph arrows: the press names the edited graph, the release steps it.
    ui::Picture* previous[4] = {&Image5, &Image7, &Image9, &Image11};
    ui::Picture* next[4] = {&Image6, &Image8, &Image10, &Image12};
    for (int g = 0; g < 4; ++g) {
        for (bool forward : {false, true}) {
            ui::Picture& arrow = forward ? *next[g] : *previous[g];
            arrow.OnMouseDown = [this, &arrow, g](ui::MouseButton, int, int) {
                arrow.setVisible(false);
                editedGraph = kGraphValueNames[g];
            };
            arrow.OnMouseUp = [this, &arrow, g, forward](ui::MouseButton, int, int) {
                arrow.setVisible(true);
                const int editedParam = state.selection.graphParam[static_cast<size_t>(g)];
                if (forward)
                    StepGraphNext(registry_, state.selection, *this, editedGraph, editedParam);
                else
                    StepGraphPrevious(registry_, state.selection, *this, editedGraph, editedParam);
            };
        }
    }

    // Graph-set buttons: the press selects (the button stays hidden while its set
    // is active), the release loads the set.
    for (int set = 1; set <= 12; ++set) {
        ui::Picture& button = GraphSetButtons[static_cast<size_t>(set - 1)];
        button.OnMouseDown = [this, set](ui::MouseButton, int, int) {
            PressGraphSetButton(set, state.selection, *this);
        };
        button.OnMouseUp = [this](ui::MouseButton, int, int) {
            LoadGraphSet(registry_, state.selection, *this);
        };
    }
}

void TForm1::Image19MouseDown(ui::MouseButton button) {
    if (button != ui::MouseButton::Left) return;
    ReleaseCapture();
    SendMessageW(handle(), WM_SYSCOMMAND, ui::kDragMoveCommand, 0);
}

void TForm1::Image15MouseDown() {
    Image15.setPicture(blankBitmap);
    ImageList1.getBitmap(connectState == 0 ? kStartPressed : kStopPressed, Image15);
}

void TForm1::Image15MouseUp() {
    if (recordControl) recordControl->linkPressed(connectState == 0);
    checksHost.linkPressed(connectState == 0);
    Image15.setPicture(blankBitmap);
    if (connectState == 0) {
        ImageList1.getBitmap(kStopLit, Image15);
        Timer1.setEnabled(false);
        Image2.setEnabled(false);
        Image3.setEnabled(false);
        Image4.setEnabled(false);
        // The last of several quick presses decides: the link thread sorts them out.
        if (linkThread)
            linkThread->Connect();
        else
            state.requests.openRequested = 1;
        sampleTimer = timeSetEvent(kSamplePeriodMs, 10, SampleTimerProc, 0, TIME_PERIODIC);
    } else {
        ImageList1.getBitmap(kStartDark, Image15);
        Timer1.setEnabled(true);
        Image2.setEnabled(true);
        Image3.setEnabled(true);
        Image4.setEnabled(true);
        Image16.setEnabled(false);
        Image17.setEnabled(false);
        if (linkThread)
            linkThread->Disconnect();
        else
            state.requests.closeRequested = 1;
        timeKillEvent(sampleTimer);
        state.ecu.dataValid = 0.0f;
    }
    connectState = 1 - connectState;
}

void TForm1::Timer1Timer() {
    switch (blinkPhase) {
    case 0:
        Image15.setPicture(blankBitmap);
        ImageList1.getBitmap(kStartLit, Image15);
        Timer1.setInterval(80);
        break;
    case 1:
        Image15.setPicture(blankBitmap);
        ImageList1.getBitmap(kStartDark, Image15);
        Timer1.setInterval(1000);
        break;
    default:
        break;
    }
    blinkPhase = (blinkPhase + 1) % 3;
}

void TForm1::Image13MouseUp() {
    // Nothing is saved here: every setting was stored when it changed. The link
    // thread is only told to stop; the process exit ends it wherever it is.
    timeKillEvent(sampleTimer);
    if (linkThread) linkThread->Stop();
    PostQuitMessage(0);
}

void TForm1::Image17MouseUp() {
    ShowTroubleCodeWindow(state, handle());
}

void TForm1::Image16MouseUp() {
    ShowActuatorWindow(state, handle());
}

void TForm1::Image32MouseUp() {
    ShowColourWindow(
        state.colours, std::make_unique<Win32Registry>(),
        [this](int panel) { Panel(panel).Invalidate(); }, handle());
}

void TForm1::Image33MouseUp() {
    ShowAboutWindow(handle());
}

void TForm1::setStatus(const std::string& text) {
    post([this, text] { Label51.setText(text); });
}

void TForm1::setReadout(int param, const std::string& text) {
    if (param < 1 || param > 15) return;
    post([this, param, text] { Param_(param).setText(text); });
}

void TForm1::setDiagButtonsEnabled(bool enabled) {
    post([this, enabled] {
        // A good reply that was on its way when STOP was pressed must not light
        // ERROR and TEST again: they stay dark until the next connect.
        // A recording played back shows its trouble codes, never the actuators.
        if (enabled && connectState == 0) {
            if (replay.active()) Image17.setEnabled(true);
            return;
        }
        Image16.setEnabled(enabled);
        Image17.setEnabled(enabled);
    });
}

void TForm1::repaintRawPanel() {
    post([this] { OpenGLPanel5.Invalidate(); });
}

void TForm1::setGraphCaption(int graph, const std::string& text) {
    ui::Label* captions[4] = {&Label4, &Label5, &Label6, &Label7};
    if (graph >= 1 && graph <= 4) captions[graph - 1]->setText(text);
}

void TForm1::setGraphSetButtonVisible(int set, bool visible) {
    if (set >= 1 && set <= 12) GraphSetButtons[static_cast<size_t>(set - 1)].setVisible(visible);
}

void TForm1::repaintGraphs() {
    for (int n = 1; n <= 4; ++n)
        Panel(n).Invalidate();
}

void TForm1::requestPanelRepaint(int panel) {
    if (panel >= 1 && panel <= 5) Panel(panel).Invalidate();
}

void CALLBACK SampleTimerProc(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    if (Form1) SampleChannels(Form1->state.ecu, Form1->state.selection.ecuFamily.load(), *Form1);
}
