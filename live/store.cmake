list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/live/ChannelStore.cpp
  ${CMAKE_SOURCE_DIR}/live/Sampler.cpp
)
