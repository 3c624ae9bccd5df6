# Actuator window: its logic (portable) and the window (Win32).
list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/link/DesiredIdle.cpp
  ${CMAKE_SOURCE_DIR}/link/ActuatorPanelLogic.cpp)
list(APPEND MOTOSKOP_WIN_SOURCES
  ${CMAKE_SOURCE_DIR}/link/TForm5.cpp)
