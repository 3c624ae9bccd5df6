# The main window, the about window and the entry point (WinMain.cpp is the
# executable's own, see cmake/windows.cmake).
motoskop_sources(app
  CORE
    CommandLine.cpp
    CsvExportCommand.cpp
    ReplaySession.cpp
    SystemChoices.cpp
  WINDOWS
    TForm1.cpp
    TForm1Events.cpp
    TForm1Machine.cpp
    DiagnosticLog_win32.cpp
    RecordControl_win32.cpp
    TForm7.cpp
    TFormReplay.cpp
    ReplayHost_win32.cpp
)
if(WIN32)
  # The .rc names its pictures relative to assets/.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/assets")
endif()
