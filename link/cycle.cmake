# Link thread: poll cycle, command frames and the Com_Port thread.
list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/link/CommandFrames.cpp
  ${CMAKE_SOURCE_DIR}/link/CommandStep.cpp
  ${CMAKE_SOURCE_DIR}/link/LinkCycle.cpp)
list(APPEND MOTOSKOP_WIN_SOURCES
  ${CMAKE_SOURCE_DIR}/link/ComPort.cpp)
