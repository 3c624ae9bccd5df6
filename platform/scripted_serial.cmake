# Scripted serial port: the link's test double (host only).
list(APPEND MOTOSKOP_NATIVE_SOURCES
  ${CMAKE_SOURCE_DIR}/platform/ScriptedSerialPort.cpp)
