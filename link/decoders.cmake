list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/link/FormatFixed.cpp
  ${CMAKE_SOURCE_DIR}/link/ReplyDecoder.cpp
  ${CMAKE_SOURCE_DIR}/link/DecodeFamily1.cpp
  ${CMAKE_SOURCE_DIR}/link/DecodeFamily2.cpp
  ${CMAKE_SOURCE_DIR}/link/DecodeFamily3.cpp
  ${CMAKE_SOURCE_DIR}/link/DecodeFamily4.cpp
)
