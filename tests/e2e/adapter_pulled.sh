#!/usr/bin/env bash
# The adapter pulled out under a running link and plugged back (bench/adapter_pulled,
# with short measuring windows): the dead line on the status line, a window that
# answers, the open error while it is out, polling again after STOP/START.
exec "$(dirname "$0")/../../bench/adapter_pulled" 5
