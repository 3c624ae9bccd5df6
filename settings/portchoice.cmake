# The port button beyond COM8: the ports present on the machine.
list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/settings/PortChoice.cpp
)
