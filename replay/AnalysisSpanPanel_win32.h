#pragma once
// The bottom of the analysis window: the span's figures, one line per lane's
// channel and per channel added to them from the family's catalogue (with a
// second drive: the second's and the difference under each),
// and the list of markers and events where two picks make a span. The figures
// come from analysis::SpanStats and CompareSpanStats, worded by StatsText.
#include <functional>
#include <vector>

#include "analysis/DriveComparison.h"
#include "analysis/SpanStatistics.h"
#include "replay/AnalysisGeometry_win32.h"
#include "replay/AnalysisScene.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

class AnalysisSpanPanel {
  public:
    void build(ui::Form& form);
    void place(const AnalysisGeometry& g);
    // The recording's markers and events into the anchor list.
    void setAnchors(const analysis::AnalysedRecording& recording);
    // Where the button that adds a channel to the figures goes (client).
    RECT addChannelBox(const AnalysisGeometry& g) const;
    // The figures of the scene's span, for the lanes' channels and those added.
    void update(const AnalysisScene& scene);
    const std::vector<analysis::ChannelStats>& stats() const { return stats_; }

    // The first pick of two in the anchor list, and the span the two make.
    std::function<void(double timeMs)> OnSpanStart;
    std::function<void(const analysis::TimeSpan& span)> OnSpan;

    ui::Label SpanLabel, AnchorCaption;
    ui::ListBox StatsList;  // the span's figures, one line per channel
    ui::ListBox AnchorList; // markers and events: two picks make a span

  private:
    void anchorChosen(std::size_t line);

    std::vector<analysis::ChannelStats> stats_;
    std::vector<analysis::StatsSideBySide> compared_;
    std::vector<analysis::SpanAnchor> anchors_;
    int anchorPicked_ = -1; // the first of two picks
};
