# The live checks: the session's ring filled for one and two hours, its copy and the twelve
# checks on the copy, as the checks window runs them once a second.
if(NOT WIN32)
  add_executable(bench_live_checks ${CMAKE_SOURCE_DIR}/bench/live_checks.cpp)
  target_link_libraries(bench_live_checks PRIVATE motoskop_core ecusim_lib)
endif()
