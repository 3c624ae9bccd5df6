# Looking back at a recording: the player that plays it as the link would, the
# session that shows it in the main window, the replay window and its host on the
# main window, the texts they show, the CSV export without a window, and the
# analysis window over the whole recording with its views, the engine checks run for
# it off the GUI thread and their rows as its «Проверки» list shows them.
motoskop_sources(replay
  CORE
    ReplayPlayer.cpp
    ReplayTexts.cpp
    ReplaySession.cpp
    CsvExportCommand.cpp
    CheckRows.cpp
    ChecksJob.cpp
  WINDOWS
    TFormReplay.cpp
    ReplayHost_win32.cpp
    AnalysisFile_win32.cpp
    SaveDialogs_win32.cpp
    TFormAnalysis.cpp
    TFormAnalysisInput.cpp
    AnalysisDrawing_win32.cpp
    AnalysisLanesView_win32.cpp
    AnalysisScatterView_win32.cpp
    AnalysisMapView_win32.cpp
    AnalysisSpanPanel_win32.cpp
    AnalysisChecksView_win32.cpp
    AnalysisAlignChooser_win32.cpp
    AnalysisBeforeChooser_win32.cpp
)
