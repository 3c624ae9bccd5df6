# The OpenGL panel component: its rules and file formats, and the Win32 control
# with its fonts, capture and printing.
motoskop_sources(glpanel
  CORE
    PixelFormatRules.cpp
    PaletteBuilder.cpp
    PrintPlacement.cpp
    BmpLoader.cpp
    BmpWriter.cpp
    BmpTexture.cpp
    ExtensionMatch.cpp
    TextRange.cpp
    Cp1251.cpp
  WINDOWS
    OpenGLPanel_win32.cpp
    PanelFonts_win32.cpp
    PanelCapture_win32.cpp
    PanelPrint_win32.cpp
)
