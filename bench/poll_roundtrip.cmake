# One poll's round trip through Wine to the ECU simulator (run by bench/poll_roundtrip.sh).
if(WIN32)
  add_executable(bench_poll_roundtrip ${CMAKE_SOURCE_DIR}/bench/poll_roundtrip.cpp)
  target_link_libraries(bench_poll_roundtrip PRIVATE motoskop_win)
  target_link_options(bench_poll_roundtrip PRIVATE ${WIN_LINK_OPTIONS})
endif()
