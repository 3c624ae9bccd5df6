# The engine checks and the workshop report on a one-hour recording.
if(NOT WIN32)
  add_executable(bench_checks ${CMAKE_SOURCE_DIR}/bench/checks.cpp ${CMAKE_SOURCE_DIR}/bench/BenchDrive.cpp)
  target_link_libraries(bench_checks PRIVATE motoskop_core ecusim_lib)
endif()
