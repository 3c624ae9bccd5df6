# Windows build (mingw-w64 on Debian or MSYS2; MSVC): motoskop.exe and the Windows tests.
set(MOTOSKOP_JPEG_PREFIX "" CACHE PATH "install prefix of a static libjpeg (lib/ and include/)")
find_library(MOTOSKOP_JPEG_LIBRARY NAMES libjpeg.a jpeg-static.lib jpeg.lib
             PATHS "${MOTOSKOP_JPEG_PREFIX}/lib" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT MOTOSKOP_JPEG_PREFIX OR NOT MOTOSKOP_JPEG_LIBRARY)
  message(FATAL_ERROR "MOTOSKOP_JPEG_PREFIX must point at a static libjpeg (on Debian: build_libjpeg in scripts/lib.sh)")
endif()
add_library(jpeg_static STATIC IMPORTED)
set_target_properties(jpeg_static PROPERTIES
  IMPORTED_LOCATION "${MOTOSKOP_JPEG_LIBRARY}"
  INTERFACE_INCLUDE_DIRECTORIES "${MOTOSKOP_JPEG_PREFIX}/include")

if(MSVC)
  set(WIN_LINK_OPTIONS)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
else()
  # No link time in the PE header, so that the same sources give the same exe (scripts/package).
  set(WIN_LINK_OPTIONS -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
endif()
set(WIN_SYSTEM_LIBS opengl32 glu32 winmm comctl32 gdi32 user32 kernel32 comdlg32 winspool msimg32
    shell32 setupapi)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

add_library(motoskop_core STATIC ${MOTOSKOP_CORE_SOURCES})
target_include_directories(motoskop_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(motoskop_core PUBLIC jpeg_static)

# Everything of the program but its entry point, so the Windows tests can drive the windows.
add_library(motoskop_win STATIC ${MOTOSKOP_WIN_SOURCES})
target_include_directories(motoskop_win PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(motoskop_win PUBLIC motoskop_core jpeg_static ${WIN_SYSTEM_LIBS})

set(MOTOSKOP_RC ${CMAKE_SOURCE_DIR}/assets/motoskop.rc)
# The resource script embeds the pictures: rebuild it when one of them changes.
file(GLOB MOTOSKOP_ASSET_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/*.bmp
     ${CMAKE_SOURCE_DIR}/assets/*.ico ${CMAKE_SOURCE_DIR}/assets/*.manifest ${CMAKE_SOURCE_DIR}/startup/Version.h
     ${CMAKE_SOURCE_DIR}/assets/*.jpg ${CMAKE_SOURCE_DIR}/assets/*.h)
set_source_files_properties(${MOTOSKOP_RC} PROPERTIES OBJECT_DEPENDS "${MOTOSKOP_ASSET_FILES}")
add_executable(motoskop WIN32 ${CMAKE_SOURCE_DIR}/app/WinMain.cpp ${MOTOSKOP_RC})
target_link_libraries(motoskop PRIVATE motoskop_win)
target_link_options(motoskop PRIVATE ${WIN_LINK_OPTIONS})

# googletest from its sources (Debian's /usr/src/googletest), cross-compiled.
set(MOTOSKOP_GTEST_SOURCE /usr/src/googletest CACHE PATH "googletest source tree for the Windows tests")
set(WIN_TEST_SOURCES)
if(EXISTS "${MOTOSKOP_GTEST_SOURCE}/CMakeLists.txt")
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${MOTOSKOP_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # One test executable per tests/win/<name>.cpp: win_<name>.exe, run under Wine.
  file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
else()
  message(STATUS "no googletest sources at ${MOTOSKOP_GTEST_SOURCE}: Windows tests not built")
endif()
foreach(test_source ${WIN_TEST_SOURCES})
  get_filename_component(test_name ${test_source} NAME_WE)
  add_executable(win_${test_name} ${test_source} ${MOTOSKOP_RC})
  target_link_libraries(win_${test_name} PRIVATE motoskop_win gtest gtest_main)
  target_link_options(win_${test_name} PRIVATE ${WIN_LINK_OPTIONS})
endforeach()

motoskop_include_benchmarks()
