# Colour window: slider logic (portable) and the window (Win32).
list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/settings/ColourWindowLogic.cpp)
list(APPEND MOTOSKOP_WIN_SOURCES
  ${CMAKE_SOURCE_DIR}/settings/TForm6.cpp)
