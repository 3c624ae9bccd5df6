# Trouble codes: message tables and the list refresh (portable), the window (Win32).
list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/codes/TroubleCodeMessages.cpp
  ${CMAKE_SOURCE_DIR}/codes/TroubleCodeList.cpp)
list(APPEND MOTOSKOP_WIN_SOURCES
  ${CMAKE_SOURCE_DIR}/codes/TForm4.cpp)
