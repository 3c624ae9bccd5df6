# A one-hour recording: its size, writing, opening, seeking and CSV export.
if(NOT WIN32)
  add_executable(bench_recording ${CMAKE_SOURCE_DIR}/bench/recording.cpp)
  target_link_libraries(bench_recording PRIVATE motoskop_core)
endif()
