# Session recording: the file format, the writer and the recorder that taps the
# link cycle, the reader, and the CSV export.
motoskop_sources(record
  CORE
    Crc32.cpp
    RecordFormat.cpp
    RecordFile.cpp
    IsoTime.cpp
    RecordingName.cpp
    RecordingWriter.cpp
    FileErrorTexts.cpp
    PreRoll.cpp
    CodeWatch.cpp
    TroubleCodeLabels.cpp
    Recorder.cpp
    RecordingReader.cpp
    MarkerTexts.cpp
    EventText.cpp
    CsvColumns.cpp
    ChannelValues.cpp
    CsvExport.cpp
    RecordingSession.cpp
  WINDOWS
    RecordFile_win32.cpp
)
