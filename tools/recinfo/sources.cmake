# recinfo (host only): prints what a recording holds, for scripts (tests/e2e/recording.sh).
add_executable(recinfo ${CMAKE_SOURCE_DIR}/tools/recinfo/recinfo.cpp)
target_link_libraries(recinfo PRIVATE motoskop_core)
