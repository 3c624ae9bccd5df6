# The graph parameter arrows.
list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/live/GraphStepping.cpp)
