# The diagnostic log that --diag-log turns on (long runs, test scripts).
list(APPEND MOTOSKOP_WIN_SOURCES ${CMAKE_SOURCE_DIR}/app/DiagnosticLog_win32.cpp)
