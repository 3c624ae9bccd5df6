# The in-memory registry double; portable, so the Windows tests can use it too.
list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/platform/MemoryRegistry.cpp)
