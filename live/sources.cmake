# The sampler, the strip charts, the graph arrows and the received-data panel.
motoskop_sources(live
  CORE
    Sampler.cpp
    ScaleLabels.cpp
    RawDataBars.cpp
    GraphStepping.cpp
  WINDOWS
    StripChart_win32.cpp
    RawDataPanel_win32.cpp
)
