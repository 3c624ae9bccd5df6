# Poll rate with recording on against off, in one run (bench/recording_poll_rate.sh under Wine).
if(WIN32)
  add_executable(bench_recording_poll_rate ${CMAKE_SOURCE_DIR}/bench/recording_poll_rate.cpp)
  target_link_libraries(bench_recording_poll_rate PRIVATE motoskop_win)
  target_link_options(bench_recording_poll_rate PRIVATE ${WIN_LINK_OPTIONS})
endif()
