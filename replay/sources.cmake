# Looking back at a recording: the player that plays it as the link would, the
# session that shows it in the main window, the replay window and its host on the
# main window, the texts they show, the CSV export without a window, and the
# checks' ranges with their sources and the texts beside them.
motoskop_sources(replay
  CORE
    ReplayPlayer.cpp
    ReplayTexts.cpp
    ReplaySession.cpp
    CsvExportCommand.cpp
    CheckRanges.cpp
    CheckInfo.cpp
  WINDOWS
    TFormReplay.cpp
    ReplayHost_win32.cpp
)
