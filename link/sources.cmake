# The link thread and its poll cycle, the reply decoders, the command frames and
# the actuator window.
motoskop_sources(link
  CORE
    LinkCycle.cpp
    ReplyPresenter.cpp
    CommandFrames.cpp
    CommandStep.cpp
    FormatFixed.cpp
    ReplyDecoder.cpp
    DecodeFamily1.cpp
    DecodeFamily2.cpp
    DecodeFamily3.cpp
    DecodeFamily4.cpp
    DesiredIdle.cpp
    ActuatorPanelLogic.cpp
    AdapterAdvice.cpp
  WINDOWS
    ComPort_win32.cpp
    TForm5.cpp
)
