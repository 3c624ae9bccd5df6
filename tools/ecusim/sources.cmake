# The ECU simulator (host only). Its logic is a library so the native tests can use it.
set(ECUSIM_DIR ${CMAKE_SOURCE_DIR}/tools/ecusim)
set(ECUSIM_LIB_SOURCES
  ${ECUSIM_DIR}/AldlFrame.cpp
  ${ECUSIM_DIR}/ControlCommands.cpp
  ${ECUSIM_DIR}/ControlFile.cpp
  ${ECUSIM_DIR}/EcuSimulator.cpp
  ${ECUSIM_DIR}/EngineFaults.cpp
  ${ECUSIM_DIR}/EngineModel.cpp
  ${ECUSIM_DIR}/ReplyLayout.cpp
  ${ECUSIM_DIR}/SerialLine.cpp)

add_library(ecusim_lib STATIC ${ECUSIM_LIB_SOURCES})
target_include_directories(ecusim_lib PUBLIC ${CMAKE_SOURCE_DIR})

add_library(ecusim_lib_san STATIC ${ECUSIM_LIB_SOURCES})
target_include_directories(ecusim_lib_san PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(ecusim_lib_san PUBLIC ${SAN_FLAGS})
target_link_options(ecusim_lib_san PUBLIC ${SAN_FLAGS})

add_executable(ecusim ${ECUSIM_DIR}/main.cpp)
target_link_libraries(ecusim PRIVATE ecusim_lib Threads::Threads)

# tests/native/ecusim_*.cpp (made into native_ecusim_* by the native build) use the library.
file(GLOB ECUSIM_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/ecusim_*.cpp)
foreach(test_source ${ECUSIM_TESTS})
  get_filename_component(test_name ${test_source} NAME_WE)
  if(TARGET native_${test_name})
    target_link_libraries(native_${test_name} PRIVATE ecusim_lib_san)
  endif()
endforeach()
