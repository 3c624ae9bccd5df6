# The recording generator (host only) for the replay tests: a recording of the
# simulated engine and the log of its frames.
add_executable(recgen ${CMAKE_SOURCE_DIR}/tools/recgen/RecGen.cpp)
target_link_libraries(recgen PRIVATE motoskop_core ecusim_lib)
