#!/usr/bin/env bash
# Three minutes of the fault storm (bench/fault_storm): the simulator's fault mode
# switched at random every 2-10 s, buttons and windows pressed at random. Its PASS/FAIL
# lines are this test's; the seed it prints replays a run: bench/fault_storm 180 SEED.
exec "$(dirname "$0")/../../bench/fault_storm" "${MOTOSKOP_STORM_SECONDS:-180}"
