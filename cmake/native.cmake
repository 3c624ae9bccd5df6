# Host build: the portable core, its tests (also under ASan + UBSan), the ECU
# simulator and the benchmarks.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
find_package(JPEG REQUIRED)

set(SAN_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

# The core twice: plain for the simulator and the benchmarks, sanitized for the tests. Both
# are unity builds (a dozen files compiled as one: the common headers are read once, which
# halves the build); the Windows build compiles every file on its own, so a file that lacks
# an include of its own is still found there. Files whose file-local names clash with a
# neighbour's (the families' tables are all called kRows) stay out of the batches.
set(MOTOSKOP_UNITY_BATCH 12)
set_source_files_properties(
  ${CMAKE_SOURCE_DIR}/ecu/DecodeFamily1.cpp
  ${CMAKE_SOURCE_DIR}/ecu/DecodeFamily2.cpp
  ${CMAKE_SOURCE_DIR}/ecu/DecodeFamily3.cpp
  ${CMAKE_SOURCE_DIR}/ecu/DecodeFamily4.cpp
  ${CMAKE_SOURCE_DIR}/settings/ParameterCatalogue.cpp
  ${CMAKE_SOURCE_DIR}/replay/CsvExportCommand.cpp
  PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
add_library(motoskop_core STATIC ${MOTOSKOP_CORE_SOURCES} ${MOTOSKOP_NATIVE_SOURCES})
target_include_directories(motoskop_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(motoskop_core PUBLIC Threads::Threads JPEG::JPEG)

add_library(motoskop_core_san STATIC ${MOTOSKOP_CORE_SOURCES} ${MOTOSKOP_NATIVE_SOURCES})
target_include_directories(motoskop_core_san PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(motoskop_core_san PUBLIC ${SAN_FLAGS})
target_link_options(motoskop_core_san PUBLIC ${SAN_FLAGS})
target_link_libraries(motoskop_core_san PUBLIC Threads::Threads JPEG::JPEG)
set_target_properties(motoskop_core motoskop_core_san PROPERTIES
  UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${MOTOSKOP_UNITY_BATCH})

# One test executable per tests/native/<name>.cpp: native_<name>.
set(MOTOSKOP_HEAVY_TESTS link_presses decoder_fuzz)
include(GoogleTest)
file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
foreach(test_source ${NATIVE_TEST_SOURCES})
  get_filename_component(test_name ${test_source} NAME_WE)
  add_executable(native_${test_name} ${test_source})
  target_link_libraries(native_${test_name} PRIVATE motoskop_core_san GTest::gtest GTest::gtest_main)
  # The code under test is optimised in the core; the tests' own bodies are not, which makes
  # them three times quicker to compile. Those whose own loops do the heavy work (thousands
  # of scripted link runs, random replies) stay optimised.
  if(NOT test_name IN_LIST MOTOSKOP_HEAVY_TESTS)
    target_compile_options(native_${test_name} PRIVATE -O0)
  endif()
  target_compile_definitions(native_${test_name} PRIVATE
    MOTOSKOP_SOURCE_DIR="${CMAKE_SOURCE_DIR}" MOTOSKOP_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(native_${test_name} DISCOVERY_TIMEOUT 60 DISCOVERY_MODE PRE_TEST)
endforeach()

include(${CMAKE_SOURCE_DIR}/tools/ecusim/sources.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/tools/artgen/sources.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/tools/recinfo/sources.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/tools/recgen/sources.cmake OPTIONAL)

find_package(benchmark REQUIRED)
motoskop_include_benchmarks()
