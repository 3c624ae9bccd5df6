# The trouble-code messages, the list refresh and the trouble-code window.
motoskop_sources(codes
  CORE
    TroubleCodeMessages.cpp
    TroubleCodeList.cpp
  WINDOWS
    TForm4.cpp
)
