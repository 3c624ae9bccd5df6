# The OpenGL panel component: portable rules and file formats, and the Win32 control.
list(APPEND MOTOSKOP_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/glpanel/PixelFormatRules.cpp
  ${CMAKE_SOURCE_DIR}/glpanel/PaletteBuilder.cpp
  ${CMAKE_SOURCE_DIR}/glpanel/PrintPlacement.cpp
  ${CMAKE_SOURCE_DIR}/glpanel/BmpLoader.cpp
  ${CMAKE_SOURCE_DIR}/glpanel/BmpWriter.cpp
  ${CMAKE_SOURCE_DIR}/glpanel/BmpTexture.cpp
  ${CMAKE_SOURCE_DIR}/glpanel/ExtensionMatch.cpp
  ${CMAKE_SOURCE_DIR}/glpanel/TextRange.cpp
  ${CMAKE_SOURCE_DIR}/glpanel/Cp1251.cpp)
list(APPEND MOTOSKOP_WIN_SOURCES
  ${CMAKE_SOURCE_DIR}/glpanel/OpenGLPanel.cpp
  ${CMAKE_SOURCE_DIR}/glpanel/PanelFonts.cpp
  ${CMAKE_SOURCE_DIR}/glpanel/PanelCapture.cpp
  ${CMAKE_SOURCE_DIR}/glpanel/PanelPrint.cpp)
