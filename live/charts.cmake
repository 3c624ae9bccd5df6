# The strip charts and the received-data panel: label and bar tables (portable),
# the GL painting (Win32).
list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/live/ScaleLabels.cpp
  ${CMAKE_SOURCE_DIR}/live/RawDataBars.cpp)
list(APPEND MOTOSKOP_WIN_SOURCES
  ${CMAKE_SOURCE_DIR}/live/StripChart.cpp
  ${CMAKE_SOURCE_DIR}/live/RawDataPanel.cpp)
