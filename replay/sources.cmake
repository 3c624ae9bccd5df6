# Looking back at a recording: the player that plays it as the link would, the
# session that shows it in the main window, the replay window and its host on the
# main window, the texts they show, and the CSV export without a window. The
# analysis of a whole recording: columns decoded once, the min/max pyramid, lanes,
# the time axis, span statistics, scatter, the fuel-trim map, two drives side by
# side, the loader that runs off the GUI thread. The checks' ranges with their
# sources and the texts beside them. The engine checks: their input as columns (a
# recording or a live ring), the channels they read, and the twelve checks; the workshop
# report (HTML and JSON) and its command without a window.
motoskop_sources(replay
  CORE
    ReplayPlayer.cpp
    ReplayTexts.cpp
    ReplaySession.cpp
    CsvExportCommand.cpp
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
    CheckRanges.cpp
    CheckInfo.cpp
    CheckData.cpp
    CheckChannels.cpp
    CheckContext.cpp
    ChecksSensors.cpp
    ChecksEngine.cpp
    ChecksSession.cpp
    Checks.cpp
    ReportModel.cpp
    ReportHtml.cpp
    ReportJson.cpp
    ReportCommand.cpp
  WINDOWS
    TFormReplay.cpp
    ReplayHost_win32.cpp
    AnalysisFile_win32.cpp
    CsvSaveDialog_win32.cpp
    TFormAnalysis.cpp
)
