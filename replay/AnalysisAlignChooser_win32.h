#pragma once
// How the second drive is laid over the first: two lists over the plot, the
// first recording's moments (its first poll, markers and events) on the left
// and the second's on the right. One pick in each lays the second's moment on
// the first's (analysis::AlignAt); the first polls of both are their starts.
#include <functional>
#include <string>
#include <vector>

#include "analysis/DriveComparison.h"
#include "analysis/SpanStatistics.h"
#include "replay/AnalysisGeometry_win32.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

class AnalysisAlignChooser {
  public:
    void build(ui::Form& form);
    void place(const AnalysisGeometry& g);
    // The two drives' moments into the lists, nothing picked yet.
    void setDrives(const analysis::AnalysedRecording& first,
                   const analysis::AnalysedRecording& second);
    void show();
    void hide();
    bool shown() const { return shown_; }

    // The moments of each list, as the lists show them.
    const std::vector<analysis::SpanAnchor>& firstMoments() const { return first_; }
    const std::vector<analysis::SpanAnchor>& secondMoments() const { return second_; }

    // Moment first of the first list and second of the second picked, as two clicks do;
    // false when either is not in its list.
    bool pick(std::size_t first, std::size_t second);

    // Both picked: the alignment and the words for it.
    std::function<void(const analysis::Alignment& alignment, const std::string& text)> OnAligned;

    ui::Label FirstCaption, SecondCaption;
    ui::ListBox FirstList, SecondList;

  private:
    void picked();

    std::vector<analysis::SpanAnchor> first_, second_;
    int firstPick_ = -1, secondPick_ = -1;
    bool shown_ = false;
};
