# Looking back at a recording: the checks' ranges with their sources and the texts beside them.
motoskop_sources(replay
  CORE
    CheckRanges.cpp
    CheckInfo.cpp
)
