#pragma once
// The «Проверки» view of the analysis window: the twelve engine checks of the
// whole recording, or of the span when one is chosen, one row each with its
// name, its verdict in the verdict's colour (the report's), its figures with
// the ranges they were judged by, and its notes (for «нет данных» what to do).
// The rows scroll with the wheel; a click on one gives the check whose
// evidence the timeline then shows.
#include <windows.h>

#include <string>
#include <vector>

#include "checks/CheckResult.h"
#include "replay/AnalysisGeometry_win32.h"
#include "replay/CheckRows.h"

class AnalysisChecksView {
  public:
    // The checks are being run over what the heading names.
    void running(const std::string& heading);
    // The run is over: its results, for the heading given to running().
    void setResults(std::vector<checks::CheckResult> results, int family);
    bool isRunning() const { return running_; }
    const std::vector<checks::CheckResult>& results() const { return results_; }

    void paint(HDC dc, const AnalysisGeometry& g) const;
    // The row (index into results()) at a client point, or -1.
    int rowAt(const AnalysisGeometry& g, int x, int y) const;
    // Where a row's top lies (client y); -1 when it is scrolled above the view.
    int rowTop(const AnalysisGeometry& g, int row) const;
    // By whole rows; the last rows stay at the bottom of the well.
    void scroll(const AnalysisGeometry& g, int rows);
    void setChosen(int row) { chosen_ = row; }

  private:
    RECT area(const AnalysisGeometry& g) const;
    int rowHeight(int row) const;
    // The rows from the first shown reach below the well: the wheel has more to show.
    bool overflows(const AnalysisGeometry& g) const;

    bool running_ = false;
    std::string heading_;
    std::vector<checks::CheckResult> results_;
    std::vector<CheckRow> rows_;
    int first_ = 0;   // the first row shown
    int chosen_ = -1; // the row whose evidence is shown
};
