# Seeking in a one-hour recording with the charts refilled, as the replay window does.
if(NOT WIN32)
  add_executable(bench_replay_seek ${CMAKE_SOURCE_DIR}/bench/replay_seek.cpp)
  target_link_libraries(bench_replay_seek PRIVATE motoskop_core)
endif()
