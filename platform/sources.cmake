# The serial port and the registry: the in-memory registry (also used by the
# Windows tests), the scripted serial port (host tests only) and the Win32
# implementations.
motoskop_sources(platform
  CORE
    MemoryRegistry.cpp
  HOST
    ScriptedSerialPort.cpp
  WINDOWS
    Win32SerialPort.cpp
    Win32Registry.cpp
    Win32System.cpp
    UsbSerialAdapter_win32.cpp
)
