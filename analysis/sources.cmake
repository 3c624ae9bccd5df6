# The analysis of a whole recording: its polls decoded once into columns, the
# min/max pyramid, lanes, the time axis, span statistics, the cursor's readout,
# scatter, the fuel-trim map, two drives side by side, the window's settings and
# texts, and the loader that runs off the GUI thread.
motoskop_sources(analysis
  CORE
    DecimalText.cpp
    AnalysisChannels.cpp
    PollDecoder.cpp
    EnvelopePyramid.cpp
    AnalysedRecording.cpp
    RecordingLoader.cpp
    LoadJob.cpp
    LaneEnvelope.cpp
    Lanes.cpp
    TimeAxis.cpp
    SpanStatistics.cpp
    CursorReadout.cpp
    ScatterPlot.cpp
    FuelTrimMap.cpp
    DriveComparison.cpp
    AnalysisSettings.cpp
    StatsText.cpp
)
