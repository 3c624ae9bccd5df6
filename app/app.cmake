# The main window, the about window and what they are built from.
list(APPEND MOTOSKOP_WIN_SOURCES
  ${CMAKE_SOURCE_DIR}/app/TForm1.cpp
  ${CMAKE_SOURCE_DIR}/app/TForm1Events.cpp
  ${CMAKE_SOURCE_DIR}/app/TForm7.cpp
)
if(WIN32)
  # The .rc names its pictures relative to assets/.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/assets")
endif()
