# The link thread and its poll cycle, the reply decoder (carrying out ecu/'s rows), the command frames and
# the actuator window.
motoskop_sources(link
  CORE
    LinkCycle.cpp
    ReplyPresenter.cpp
    CommandFrames.cpp
    CommandStep.cpp
    FormatFixed.cpp
    ReplyDecoder.cpp
    DesiredIdle.cpp
    ActuatorPanelLogic.cpp
    AdapterAdvice.cpp
  WINDOWS
    ComPort_win32.cpp
    TForm5.cpp
)
