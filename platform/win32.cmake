# Win32 implementations of the serial port and the registry.
list(APPEND MOTOSKOP_WIN_SOURCES
  ${CMAKE_SOURCE_DIR}/platform/Win32SerialPort.cpp
  ${CMAKE_SOURCE_DIR}/platform/Win32Registry.cpp)
