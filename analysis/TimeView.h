#pragma once
// The stretch of a recording a plot shows, in the recording's own milliseconds,
// over a number of pixel columns: column c shows [startMs + c·w, startMs + (c+1)·w)
// with w = (endMs − startMs) / columns; the last column also holds endMs.
namespace analysis {

struct TimeView {
    double startMs = 0;
    double endMs = 0;
    int columns = 0;

    bool valid() const { return columns > 0 && endMs > startMs; }
    double msPerColumn() const { return (endMs - startMs) / columns; }
    // Where a time falls, in columns from the left edge (fractional).
    double columnOf(double ms) const { return (ms - startMs) / msPerColumn(); }
    double timeOf(double column) const { return startMs + column * msPerColumn(); }
    // The same view moved by shiftMs (a second drive's own time).
    TimeView shifted(double shiftMs) const { return {startMs + shiftMs, endMs + shiftMs, columns}; }
};

} // namespace analysis
