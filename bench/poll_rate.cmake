# Poll rate of the link cycle against the paced simulator (run by bench/poll_rate.sh under Wine).
if(WIN32)
  add_executable(bench_poll_rate ${CMAKE_SOURCE_DIR}/bench/poll_rate.cpp)
  target_link_libraries(bench_poll_rate PRIVATE motoskop_win)
  target_link_options(bench_poll_rate PRIVATE ${WIN_LINK_OPTIONS})
endif()
