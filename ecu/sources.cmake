# What each ECU family sends: the reply layout, one labelled row per channel
# (which byte, bit, scale, unit and chart value), and the readout's labels. The
# decoder (link/ReplyDecoder) carries the rows out; the channel store takes its
# shape from them.
motoskop_sources(ecu
  CORE
    DecodeTables.cpp
    DecodeFamily1.cpp
    DecodeFamily2.cpp
    DecodeFamily3.cpp
    DecodeFamily4.cpp
)
