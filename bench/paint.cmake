# Time of one strip-chart paint and one received-data paint, and the CPU load of
# five panels repainted at 20 Hz (run under Wine).
if(WIN32)
  add_executable(bench_paint ${CMAKE_SOURCE_DIR}/bench/paint.cpp)
  target_link_libraries(bench_paint PRIVATE motoskop_win)
  target_link_options(bench_paint PRIVATE ${WIN_LINK_OPTIONS})
endif()
