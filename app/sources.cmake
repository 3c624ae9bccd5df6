# The main window, the about window and the entry point (WinMain.cpp is the
# executable's own, see cmake/windows.cmake).
motoskop_sources(app
  WINDOWS
    TForm1.cpp
    TForm1Events.cpp
    TForm1Machine.cpp
    TForm1Intents.cpp
    DiagnosticLog_win32.cpp
    RecordControl_win32.cpp
    TForm7.cpp
)
if(WIN32)
  # The .rc names its pictures relative to assets/.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/assets")
endif()
