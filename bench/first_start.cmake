# Settings load at the first start and at later starts, against the Win32 registry (run under Wine).
if(WIN32)
  add_executable(bench_first_start ${CMAKE_SOURCE_DIR}/bench/first_start.cpp)
  target_link_libraries(bench_first_start PRIVATE motoskop_win)
  target_link_options(bench_first_start PRIVATE ${WIN_LINK_OPTIONS})
endif()
