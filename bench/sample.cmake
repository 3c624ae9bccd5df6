if(NOT WIN32)
  add_executable(bench_sample ${CMAKE_SOURCE_DIR}/bench/sample.cpp)
  target_link_libraries(bench_sample PRIVATE motoskop_core benchmark::benchmark)
endif()
