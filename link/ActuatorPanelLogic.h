#pragma once
// What the actuator window does, apart from drawing: which controls the ECU
// family enables, what each button and trackbar requests from the link thread,
// the once-a-second refresh and the request-state line. The window (TForm5)
// implements ActuatorView and forwards its events here.
#include <array>
#include <string>

struct EcuData;
struct LinkRequests;
struct Selection;

// The controls the logic changes. Images, labels and trackbars are named by
// their number in the window (Image2..Image19, Label1..Label15, TrackBar1/2).
class ActuatorView {
  public:
    virtual ~ActuatorView() = default;
    virtual void setImageEnabled(int image, bool enabled) = 0;
    virtual void setTrackBarEnabled(int trackBar, bool enabled) = 0;
    // Moves the control; it must not report this back as a user move.
    virtual void setTrackBarPosition(int trackBar, int position) = 0;
    // Active labels are light green, inactive ones grey.
    virtual void setLabelActive(int label, bool active) = 0;
    virtual void setLabelText(int label, const std::string& text) = 0;
    virtual void setRefreshTimer(bool running) = 0; // Timer1, every 1000 ms
    virtual void setStatusTimer(bool running) = 0;  // Timer2, once after 2000 ms
    virtual void enableMainWindow() = 0;
    virtual void closeWindow() = 0;
};

extern const char kRequestAccepted[]; // "ЭБУ принял запрос."
extern const char kRequestRejected[]; // "ЭБУ отклонил запрос."

class ActuatorPanelLogic {
  public:
    ActuatorPanelLogic(const Selection& selection, const EcuData& ecu, LinkRequests& requests,
                       ActuatorView& view);

    // After the controls are built: family enabling, Timer1 on, idle trackbar
    // to the ECU's desired idle.
    void open();
    // Release of a picture button (Image2..Image19). Disabled ones do nothing.
    void imageReleased(int image);
    // A trackbar now stands at `position` (moved by the user).
    void trackBarMoved(int trackBar, int position);
    void refreshTick(); // Timer1
    void statusTick();  // Timer2

    bool imageEnabled(int image) const;
    bool trackBarEnabled(int trackBar) const;
    int trackBarPosition(int trackBar) const;
    bool statusTimerRunning() const { return statusTimerRunning_; }

  private:
    void setImageEnabled(int image, bool enabled);
    void setTrackBarEnabled(int trackBar, bool enabled);
    void setIdlePosition(int position);
    void setMixturePosition(int position);
    void request(int slot);
    void startStatusTimer();
    void exit();

    const Selection& selection_;
    const EcuData& ecu_;
    LinkRequests& requests_;
    ActuatorView& view_;
    std::array<bool, 20> imageEnabled_{};
    std::array<bool, 3> trackBarEnabled_{};
    std::array<int, 3> trackBarPosition_{};
    bool statusTimerRunning_ = false;
    bool closed_ = false;
};
