# Looking back at a recording: the analysis core (columns decoded once, the
# min/max pyramid, lanes, time axis, span statistics, scatter, fuel-trim map,
# two drives side by side, the loader that runs off the GUI thread).
motoskop_sources(replay
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
  WINDOWS
    AnalysisFile_win32.cpp
)
