# The command line: parsed in portable code, acted on by WinMain.
list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/app/CommandLine.cpp
)
list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/app/SystemChoices.cpp
)
list(APPEND MOTOSKOP_WIN_SOURCES
  ${CMAKE_SOURCE_DIR}/app/TForm1Workshop.cpp
)
