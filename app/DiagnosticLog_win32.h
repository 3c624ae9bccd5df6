#pragma once
// A diagnostic log for long runs and test scripts, off unless the command line
// asks for it with  --diag-log PATH  (and optionally  --diag-every SECONDS,
// default 60). See docs/diagnostic-log.md for the lines it writes.

// Reads the command line; when asked, opens the file and starts the log's
// timer on the calling (GUI) thread. Call once, after the main window exists.
void StartDiagnosticLogFromCommandLine();
