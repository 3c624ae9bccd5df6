if(NOT WIN32)
  add_executable(bench_decode ${CMAKE_SOURCE_DIR}/bench/decode.cpp)
  target_link_libraries(bench_decode PRIVATE motoskop_core benchmark::benchmark)
endif()
