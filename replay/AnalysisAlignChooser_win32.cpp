#include "replay/AnalysisAlignChooser_win32.h"

#include <algorithm>

#include "ui/Colours.h"

namespace {

constexpr int kCaptionHeight = 18;
constexpr int kListGap = 20;
constexpr int kWidestList = 440;

std::vector<std::string> Labels(const std::vector<analysis::SpanAnchor>& moments) {
    std::vector<std::string> lines;
    for (const analysis::SpanAnchor& a : moments)
        lines.push_back(a.label);
    return lines;
}

} // namespace

void AnalysisAlignChooser::build(ui::Form& form) {
    FirstCaption.setText("Первая запись: момент (щелчок)");
    SecondCaption.setText("Вторая запись: тот же момент (щелчок)");
    for (ui::Label* l : {&FirstCaption, &SecondCaption}) {
        l->setColour(ui::kLabelAmber);
        l->setBold(true);
        l->setVisible(false);
        form.add(*l);
    }
    FirstList.create(form, 0, 0, 100, 100);
    FirstList.setColours(ui::kLabelGreen, RGB(0, 0, 0));
    SecondList.create(form, 0, 0, 100, 100);
    SecondList.setColours(ui::kLabelGreen, RGB(0, 0, 0));
    FirstList.OnChoose = [this](std::size_t line) {
        firstPick_ = static_cast<int>(line);
        picked();
    };
    SecondList.OnChoose = [this](std::size_t line) {
        secondPick_ = static_cast<int>(line);
        picked();
    };
    hide();
}

void AnalysisAlignChooser::place(const AnalysisGeometry& g) {
    const int width = std::min<int>(kWidestList, (g.plot.right - g.plot.left - 3 * kListGap) / 2);
    const int left = g.plot.left + kListGap, right = left + width + kListGap;
    const int top = g.plot.top + kCaptionHeight, height = g.plot.bottom - top;
    FirstCaption.place(left, g.plot.top);
    SecondCaption.place(right, g.plot.top);
    MoveWindow(FirstList.handle(), left, top, width, height, TRUE);
    MoveWindow(SecondList.handle(), right, top, width, height, TRUE);
}

void AnalysisAlignChooser::setDrives(const analysis::AnalysedRecording& first,
                                     const analysis::AnalysedRecording& second) {
    first_ = analysis::SpanAnchors(first);
    second_ = analysis::SpanAnchors(second);
    FirstList.setLines(Labels(first_));
    SecondList.setLines(Labels(second_));
}

void AnalysisAlignChooser::show() {
    firstPick_ = secondPick_ = -1;
    // Pick afresh: no line stays chosen from before.
    FirstList.setLines(Labels(first_));
    SecondList.setLines(Labels(second_));
    shown_ = true;
    FirstCaption.setVisible(true);
    SecondCaption.setVisible(true);
    ShowWindow(FirstList.handle(), SW_SHOW);
    ShowWindow(SecondList.handle(), SW_SHOW);
}

void AnalysisAlignChooser::hide() {
    shown_ = false;
    FirstCaption.setVisible(false);
    SecondCaption.setVisible(false);
    ShowWindow(FirstList.handle(), SW_HIDE);
    ShowWindow(SecondList.handle(), SW_HIDE);
}

bool AnalysisAlignChooser::pick(std::size_t first, std::size_t second) {
    if (first >= first_.size() || second >= second_.size()) return false;
    firstPick_ = static_cast<int>(first);
    secondPick_ = static_cast<int>(second);
    picked();
    return true;
}

void AnalysisAlignChooser::picked() {
    if (firstPick_ < 0 || secondPick_ < 0 || firstPick_ >= static_cast<int>(first_.size()) ||
        secondPick_ >= static_cast<int>(second_.size()))
        return;
    const analysis::SpanAnchor& a = first_[firstPick_];
    const analysis::SpanAnchor& b = second_[secondPick_];
    hide();
    if (OnAligned)
        OnAligned(analysis::AlignAt(a.timeMs, b.timeMs), "Вторая запись выровнена: «" + b.label +
                                                             "» второй — на «" + a.label +
                                                             "» первой.");
}
