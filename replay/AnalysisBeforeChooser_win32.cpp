#include "replay/AnalysisBeforeChooser_win32.h"

#include <algorithm>

#include "ui/Colours.h"

namespace {

constexpr int kCaptionHeight = 18;
constexpr int kListMargin = 20;
constexpr int kWidestList = 700;
constexpr const char* kOtherFile = "Другой файл…";

} // namespace

std::string BeforeCandidateLine(const VehicleRecording& r) {
    std::string line = r.date.empty() ? r.start : r.date;
    line += "   " + r.car + " " + r.engine;
    if (!r.visit.plate.empty()) line += "   " + r.visit.plate;
    if (!r.visit.vin.empty()) line += "   VIN " + r.visit.vin;
    if (r.visit.odometerKm != recfile::kNoOdometer)
        line += "   пробег " + std::to_string(r.visit.odometerKm) + " км";
    return line;
}

void AnalysisBeforeChooser::build(ui::Form& form) {
    Caption.setText("Запись «до ремонта»: записи того же автомобиля (щелчок)");
    Caption.setColour(ui::kLabelAmber);
    Caption.setBold(true);
    Caption.setVisible(false);
    form.add(Caption);
    List.create(form, 0, 0, 100, 100);
    List.setColours(ui::kLabelGreen, RGB(0, 0, 0));
    List.OnChoose = [this](std::size_t line) {
        const std::string path = line < candidates_.size() ? candidates_[line].path : std::string();
        hide();
        if (OnChosen) OnChosen(path);
    };
    hide();
}

void AnalysisBeforeChooser::place(const AnalysisGeometry& g) {
    const int left = g.plot.left + kListMargin;
    const int width = std::min<int>(kWidestList, g.plot.right - left - kListMargin);
    const int top = g.plot.top + kCaptionHeight;
    Caption.place(left, g.plot.top);
    MoveWindow(List.handle(), left, top, width, g.plot.bottom - top, TRUE);
}

void AnalysisBeforeChooser::show(const std::vector<VehicleRecording>& candidates) {
    candidates_ = candidates;
    std::vector<std::string> lines;
    for (const VehicleRecording& r : candidates_)
        lines.push_back(BeforeCandidateLine(r));
    lines.push_back(kOtherFile);
    List.setLines(lines);
    shown_ = true;
    Caption.setVisible(true);
    ShowWindow(List.handle(), SW_SHOW);
}

void AnalysisBeforeChooser::hide() {
    shown_ = false;
    Caption.setVisible(false);
    ShowWindow(List.handle(), SW_HIDE);
}
