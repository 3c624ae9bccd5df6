#pragma once
// What every view of the analysis window draws from: the recording (and the
// second drive laid over it, with its alignment), the lanes' channels, the
// stretch of time in view, the cursor, the span chosen, the channels added to
// the span's figures and the user's decimal symbol. The window owns it and
// changes it; the views only read it.
#include <memory>
#include <vector>

#include "analysis/AnalysedRecording.h"
#include "analysis/AnalysisSettings.h"
#include "analysis/DriveComparison.h"
#include "analysis/SpanStatistics.h"
#include "analysis/TimeView.h"

struct AnalysisScene {
    std::shared_ptr<const analysis::AnalysedRecording> first, second;
    analysis::Alignment alignment;
    analysis::AnalysisSettings settings; // the window's size and the lanes' channels
    std::vector<int> statsAdded;         // channels added to the span's figures
    analysis::TimeView view;
    double cursorMs = -1; // -1: no cursor
    bool hasSpan = false;
    analysis::TimeSpan span;
    char decimal = '.';

    const std::vector<int>& lanes() const { return settings.lanes; }
    // The span chosen, or the whole first recording without one.
    analysis::TimeSpan chosenSpan() const { return hasSpan ? span : analysis::WholeSpan(*first); }
};
