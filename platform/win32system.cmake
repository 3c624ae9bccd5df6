# The serial ports present and the user's number format.
list(APPEND MOTOSKOP_WIN_SOURCES
  ${CMAKE_SOURCE_DIR}/platform/Win32System.cpp
)
