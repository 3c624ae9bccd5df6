# The workshop report: what it says (the model), its HTML and JSON forms, the colours
# of its verdicts, and the command that makes it without a window.
motoskop_sources(report
  CORE
    ReportModel.cpp
    VerdictColours.cpp
    ReportHtml.cpp
    ReportJson.cpp
    ReportCommand.cpp
)
