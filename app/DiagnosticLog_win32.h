#pragma once
// A diagnostic log for long runs and test scripts, off unless the command line
// asks for it with  --diag-log PATH  (and optionally  --diag-every SECONDS,
// default 60). See docs/diagnostic-log.md for the lines it writes.

#include <string>

// Opens the file (UTF-8 path; appended to) and starts the log's timer on the
// calling (GUI) thread, writing figures every `everySeconds`. Call once, after
// the main window exists; a file that cannot be opened leaves the program as
// it always is.
void StartDiagnosticLog(const std::string& path, int everySeconds);
