# The analysis core on one- and eight-hour recordings: opening, redraws, figures,
# fuel-trim map, scatter, memory.
if(NOT WIN32)
  add_executable(bench_analysis ${CMAKE_SOURCE_DIR}/bench/analysis.cpp ${CMAKE_SOURCE_DIR}/bench/BenchDrive.cpp)
  target_link_libraries(bench_analysis PRIVATE motoskop_core ecusim_lib)
endif()
