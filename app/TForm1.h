#pragma once
// The main window: a skinned 800 x 572 face with the graphs, the readout, the
// selection and connect buttons. It owns all run-time state (MainState) and
// carries out on the GUI thread what the link thread and the sampler change.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "startup/CommandLine.h"
#include "checks/ChecksHost_win32.h"
#include "replay/MainWindowIntents.h"
#include "replay/ReplayHost_win32.h"
#include "glpanel/OpenGLPanel_win32.h"
#include "state/MainState.h"
#include "link/LinkEvents.h"
#include "live/Sampler.h"
#include "platform/Win32Registry.h"
#include "settings/SelectionView.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/Label.h"
#include "ui/Picture.h"
#include "ui/Timer.h"

class Com_Port;
class RecordControl;

class TForm1 : public ui::Form,
               public LinkEvents,
               public SelectionView,
               public RepaintRequests,
               public MainWindowIntents {
  public:
    // The options of the command line that shape the window (port, bitmap drawing);
    // --connect is the caller's to act on once the window shows.
    explicit TForm1(const CommandLineOptions& options = {});
    ~TForm1() override;

    MainState state;

    // The window's own state (GUI thread).
    int32_t blinkPhase = 0;   // START blink: 0 lit next, 1 dark next, 2 pause
    int32_t connectState = 0; // 0 disconnected, 1 connected
    uint32_t sampleTimer = 0; // the 50 ms multimedia timer while connected
    std::string editedGraph;  // "Graf1".."Graf4": the arrow pressed last

    // Image1 is the form's background picture.
    ui::Picture Image19; // drag bar, drawn on the background
    ui::Picture Image13; // close
    ui::Picture Image5, Image6, Image7, Image8, Image9, Image10, Image11, Image12; // graph arrows
    std::array<ui::Picture, 12> GraphSetButtons; // Image20..Image31
    ui::Picture Image18, Image32, Image33, Image15, Image17, Image16;
    ui::Picture Image3, Image4, Image2;
    ui::Label Label4, Label5, Label6, Label7, Label8, Label9, Label50;
    std::array<ui::Label, 15> NParam; // NParam_1..NParam_15
    std::array<ui::Label, 15> Param;  // Param_1..Param_15
    ui::Label Label2, Label3, Label51, Label1;
    ui::ImageList ImageList1;
    ui::Timer Timer1;
    TOpenGLPanel OpenGLPanel1, OpenGLPanel2, OpenGLPanel3, OpenGLPanel4, OpenGLPanel5;
    std::unique_ptr<RecordControl> recordControl; // app/RecordControl_win32.h
    ReplayHost replay; // a recording played back: its window, the open button, dropped files
    // The live checks: the session's ring, the "Проверки" button and the checks window.
    ChecksHost checksHost;

    ui::Picture& Image(int number); // Image2..Image33 by number (the drag bar for others)
    ui::Label& NParam_(int n) { return NParam[static_cast<size_t>(n - 1)]; }
    ui::Label& Param_(int n) { return Param[static_cast<size_t>(n - 1)]; }
    TOpenGLPanel& Panel(int n) {
        return *panels_[static_cast<size_t>(n >= 1 && n <= 5 ? n - 1 : 4)];
    }

    // Event handlers.
    void Image19MouseDown(ui::MouseButton button);
    void Image15MouseDown();
    void Image15MouseUp();
    void Timer1Timer();
    void Image13MouseUp(); // shutdown
    void Image17MouseUp();
    void Image16MouseUp();
    void Image32MouseUp();
    void Image33MouseUp();

    // LinkEvents: from the link thread, carried out on the GUI thread in order.
    void setStatus(const std::string& text) override;
    void setReadout(int param, const std::string& text) override;
    void setDiagButtonsEnabled(bool enabled) override;
    void repaintRawPanel() override;

    // SelectionView: GUI thread.
    void setCarLabel(const std::string& text) override { Label2.setText(text); }
    void setEngineLabel(const std::string& text) override { Label3.setText(text); }
    void setPortLabel(const std::string& text) override { Label1.setText(text); }
    void setGraphCaption(int graph, const std::string& text) override;
    void setGraphSetButtonVisible(int set, bool visible) override;
    void setGraphSetLabel(const std::string& text) override { Label8.setText(text); }
    void repaintGraphs() override;

    // RepaintRequests: from the sampler's timer thread.
    void requestPanelRepaint(int panel) override;

    // MainWindowIntents: replay, GUI thread (TForm1Intents.cpp).
    void stopLink(std::function<void()> then) override;
    void enterReplay() override;
    void leaveReplay() override;
    UserVehicle userVehicle() const override;

  private:
    void buildControls();
    void buildPanels();
    void wireHandlers();
    void initialiseMembers();
    void setReadoutCaptions();
    void loadSettings();
    // TForm1Machine.cpp: the ports present, the port label's look, the locale, GL fallback.
    std::vector<int> presentPorts() const;
    void selectNextPort();
    void showPortPresence();
    void takeLocaleSettings();
    void reportGlFallback(const std::string& failure);

    CommandLineOptions options_;
    COLORREF portLabelColour_ = 0;
    bool glFallbackReported_ = false;

    Win32Registry registry_;
    ui::Timer StopWaitTimer; // a STOP asked for by replay: until the link thread has let go
    std::function<void()> stopThen_;
    int64_t stopDeadlineMs_ = 0;
    std::array<TOpenGLPanel*, 5> panels_{&OpenGLPanel1, &OpenGLPanel2, &OpenGLPanel3, &OpenGLPanel4,
                                         &OpenGLPanel5};
};

extern TForm1* Form1;
extern Com_Port* linkThread;
extern const ui::Bitmap blankBitmap;

// The 50 ms multimedia-timer callback: one sampling tick.
void CALLBACK SampleTimerProc(UINT id, UINT msg, DWORD_PTR user, DWORD_PTR, DWORD_PTR);
