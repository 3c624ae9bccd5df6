#pragma once
// The drive before the repair, chosen from the other recordings of the same vehicle (the
// same plate or VIN in the recordings folder, newest first; record/SameVehicle), or any file
// through the file dialog: one list over the plot, its last line «Другой файл…».
#include <functional>
#include <string>
#include <vector>

#include "record/SameVehicle.h"
#include "replay/AnalysisGeometry_win32.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

class AnalysisBeforeChooser {
  public:
    void build(ui::Form& form);
    void place(const AnalysisGeometry& g);
    // Shows the candidates (nothing when there are none: the caller goes to the file dialog).
    void show(const std::vector<VehicleRecording>& candidates);
    void hide();
    bool shown() const { return shown_; }

    // A candidate picked: its path; «Другой файл…»: an empty path.
    std::function<void(const std::string& path)> OnChosen;

    ui::Label Caption;
    ui::ListBox List;

  private:
    std::vector<VehicleRecording> candidates_;
    bool shown_ = false;
};

// A candidate as the list shows it: "09.12.2026 21:44  LANOS 1.5 DOHC  А123ВС77  пробег 81 200 км".
std::string BeforeCandidateLine(const VehicleRecording& r);
