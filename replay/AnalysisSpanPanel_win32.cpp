#include "replay/AnalysisSpanPanel_win32.h"

#include <string>

#include "analysis/StatsText.h"
#include "analysis/TimeAxis.h"
#include "ui/Colours.h"

void AnalysisSpanPanel::build(ui::Form& form) {
    SpanLabel.setColour(ui::kLabelAmber);
    AnchorCaption.setColour(ui::kLabelGreen);
    AnchorCaption.setText("Участок между метками и событиями (два щелчка):");
    form.add(SpanLabel);
    form.add(AnchorCaption);
    StatsList.create(form, 0, 0, 100, 100);
    StatsList.setColours(ui::kLabelGreen, RGB(0, 0, 0));
    AnchorList.create(form, 0, 0, 100, 100);
    AnchorList.setColours(ui::kLabelAmber, RGB(0, 0, 0));
    AnchorList.OnChoose = [this](std::size_t line) { anchorChosen(line); };
}

namespace {

constexpr int kAddChannelWidth = 120, kAddChannelHeight = 18;

int StatsWidth(const AnalysisGeometry& g) {
    return (g.bottom.right - g.bottom.left) * 2 / 3;
}

} // namespace

RECT AnalysisSpanPanel::addChannelBox(const AnalysisGeometry& g) const {
    const int right = g.bottom.left + StatsWidth(g);
    return RECT{right - kAddChannelWidth, g.bottom.top - 2, right,
                g.bottom.top - 2 + kAddChannelHeight};
}

void AnalysisSpanPanel::place(const AnalysisGeometry& g) {
    const int statsWidth = StatsWidth(g);
    SpanLabel.place(g.bottom.left + 2, g.bottom.top);
    AnchorCaption.place(g.bottom.left + statsWidth + 10, g.bottom.top);
    MoveWindow(StatsList.handle(), g.bottom.left, g.bottom.top + 16, statsWidth,
               g.bottom.bottom - g.bottom.top - 16, TRUE);
    MoveWindow(AnchorList.handle(), g.bottom.left + statsWidth + 10, g.bottom.top + 16,
               g.bottom.right - g.bottom.left - statsWidth - 10,
               g.bottom.bottom - g.bottom.top - 16, TRUE);
}

void AnalysisSpanPanel::setAnchors(const analysis::AnalysedRecording& recording) {
    anchors_ = analysis::SpanAnchors(recording);
    std::vector<std::string> lines;
    for (const analysis::SpanAnchor& a : anchors_)
        lines.push_back(a.label);
    AnchorList.setLines(lines);
}

void AnalysisSpanPanel::update(const AnalysisScene& s) {
    const analysis::AnalysedRecording& rec = *s.first;
    const analysis::TimeSpan span = s.chosenSpan();
    const std::vector<int> channels = analysis::StatsChannels(s.lanes(), s.statsAdded);
    stats_ = analysis::SpanStats(rec, channels, span);
    if (s.second)
        compared_ = analysis::CompareSpanStats(rec, *s.second, s.alignment, channels, span);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < stats_.size(); ++i) {
        const analysis::Channel& c = rec.channels()[stats_[i].channel];
        lines.push_back(analysis::StatsLine(c, stats_[i], s.decimal));
        if (s.second && i < compared_.size()) {
            lines.push_back("   2-я: " + analysis::StatsLine(c, compared_[i].second, s.decimal));
            lines.push_back("   разница: " + analysis::DiffLine(c, compared_[i], s.decimal));
        }
    }
    StatsList.setLines(lines);
    SpanLabel.setText(
        (s.hasSpan ? "Участок " : "Вся запись ") +
        analysis::RecordedClockText(rec, span.fromMs, false) + " — " +
        analysis::RecordedClockText(rec, span.toMs, false) + ", " +
        analysis::DurationText(stats_.empty() ? 0 : stats_.front().durationMs, s.decimal) +
        (s.hasSpan ? "  (Shift + перетаскивание: другой участок)" : ""));
}

void AnalysisSpanPanel::anchorChosen(std::size_t line) {
    if (line >= anchors_.size()) return;
    if (anchorPicked_ < 0) {
        anchorPicked_ = static_cast<int>(line);
        if (OnSpanStart) OnSpanStart(anchors_[line].timeMs);
        SpanLabel.setText("Начало участка: " + anchors_[line].label + " — выберите его конец");
        return;
    }
    const analysis::TimeSpan span = analysis::SpanBetween(anchors_[anchorPicked_], anchors_[line]);
    anchorPicked_ = -1;
    if (OnSpan) OnSpan(span);
}
