# The artwork generator (host only): draws assets/*.bmp and assets/*.jpg.
#   cmake --build <dir> --target artgen && <dir>/artgen <repo>/assets
add_executable(artgen
  ${CMAKE_SOURCE_DIR}/tools/artgen/ArtGen.cpp
  ${CMAKE_SOURCE_DIR}/tools/artgen/Canvas.cpp
  ${CMAKE_SOURCE_DIR}/tools/artgen/TextMask.cpp
  ${CMAKE_SOURCE_DIR}/tools/artgen/ImageFiles.cpp
  ${CMAKE_SOURCE_DIR}/tools/artgen/Look.cpp
  ${CMAKE_SOURCE_DIR}/tools/artgen/MainArt.cpp
  ${CMAKE_SOURCE_DIR}/tools/artgen/RecordArt.cpp
  ${CMAKE_SOURCE_DIR}/tools/artgen/SecondaryArt.cpp
  ${CMAKE_SOURCE_DIR}/tools/artgen/IconArt.cpp
  ${CMAKE_SOURCE_DIR}/tools/artgen/ReplayArt.cpp
  ${CMAKE_SOURCE_DIR}/tools/artgen/AnalysisArt.cpp
  ${CMAKE_SOURCE_DIR}/tools/artgen/ChecksArt.cpp
  ${CMAKE_SOURCE_DIR}/tools/artgen/VisitArt.cpp
)
target_include_directories(artgen PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(artgen PRIVATE JPEG::JPEG)
