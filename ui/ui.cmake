# The small window framework the windows are built from.
# JPEG decoding is portable (tested on the host); on Windows it goes with the
# Win32 library, which is what links the cross-built libjpeg.
if(WIN32)
  list(APPEND MOTOSKOP_WIN_SOURCES ${CMAKE_SOURCE_DIR}/ui/JpegDecode.cpp)
else()
  list(APPEND MOTOSKOP_CORE_SOURCES ${CMAKE_SOURCE_DIR}/ui/JpegDecode.cpp)
endif()
list(APPEND MOTOSKOP_WIN_SOURCES
  ${CMAKE_SOURCE_DIR}/ui/Text.cpp
  ${CMAKE_SOURCE_DIR}/ui/Bitmap.cpp
  ${CMAKE_SOURCE_DIR}/ui/Fonts.cpp
  ${CMAKE_SOURCE_DIR}/ui/Form.cpp
  ${CMAKE_SOURCE_DIR}/ui/Picture.cpp
  ${CMAKE_SOURCE_DIR}/ui/Label.cpp
  ${CMAKE_SOURCE_DIR}/ui/Timer.cpp
  ${CMAKE_SOURCE_DIR}/ui/ImageList.cpp
  ${CMAKE_SOURCE_DIR}/ui/TrackBar.cpp
  ${CMAKE_SOURCE_DIR}/ui/RichList.cpp
)
