#!/usr/bin/env bash
# The fault storm (bench/fault_storm) packed tight for the suite: about 50 s with the
# simulator's fault mode switched at random every 2-6 s and buttons and windows pressed at
# random with short pauses. Its PASS/FAIL lines are this test's; the seed it prints replays a
# run: bench/fault_storm --dense 50 SEED. The long storm (bench/fault_storm 600) stays a
# benchmark.
exec "$(dirname "$0")/../../bench/fault_storm" --dense "${MOTOSKOP_STORM_SECONDS:-50}"
