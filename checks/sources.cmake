# The engine checks: the ranges they judge by with their sources, the texts beside
# them, their input as columns (a recording or a live ring), the channels they read,
# and the twelve checks; the live session's ring and the checks window «Проверки» over it.
motoskop_sources(checks
  CORE
    CheckRanges.cpp
    CheckInfo.cpp
    CheckData.cpp
    CheckChannels.cpp
    CheckContext.cpp
    ChecksSensors.cpp
    ChecksEngine.cpp
    ChecksSession.cpp
    Checks.cpp
    FigureText.cpp
    LiveCheckData.cpp
    LiveCheckRing.cpp
    LiveChecksView.cpp
    LiveChecksJob.cpp
  WINDOWS
    TFormChecks.cpp
    ChecksHost_win32.cpp
)
