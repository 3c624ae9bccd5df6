# What the program asks of the system: the serial port, the registry, clocks, text
# conversion, the locale, paths and folders. The in-memory registry (also used by
# the Windows tests), the scripted serial port (host tests only), the portable
# path rules, and the Win32 implementations.
motoskop_sources(platform
  CORE
    MemoryRegistry.cpp
    Paths.cpp
  HOST
    ScriptedSerialPort.cpp
  WINDOWS
    Win32SerialPort.cpp
    Win32Registry.cpp
    Win32System.cpp
    Win32Clock.cpp
    Win32Text.cpp
    Win32Folders.cpp
    UsbSerialAdapter_win32.cpp
)
