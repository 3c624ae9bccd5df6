# The small window framework the windows are built from; JPEG decoding is
# portable and tested on the host.
motoskop_sources(ui
  CORE
    JpegDecode.cpp
  WINDOWS
    Bitmap.cpp
    Fonts.cpp
    Control.cpp
    Form.cpp
    Picture.cpp
    Label.cpp
    Timer.cpp
    ImageList.cpp
    WindowClass.cpp
    TrackBar.cpp
    RichList.cpp
    ChildControl.cpp
    ListBox.cpp
    Edit.cpp
    FileDialog.cpp
)
