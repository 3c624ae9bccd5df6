#!/usr/bin/env bash
# Median round trip of 100 polls through Wine to the simulator on COM1, with and without
# 8200-baud pacing. Uses build/native and build/win (builds the two targets if needed).
# usage: bench/poll_roundtrip.sh [polls]
set -uo pipefail
source "$(dirname "$0")/../scripts/wine-env.sh"
POLLS="${1:-100}"
[ -x "${MOTOSKOP_ECUSIM:-$BUILD/native/ecusim}" ] || build_native ecusim
WIN_EXE="${MOTOSKOP_BENCH_EXE:-$BUILD/win/bench_poll_roundtrip.exe}"
[ -f "$WIN_EXE" ] || build_windows bench_poll_roundtrip
harness_trap
wine_env
start_ecusim --family 1 --delay 5
for pace in off on; do
    ecusim_ctl "pace $pace"
    printf 'pacing %-3s: ' "$pace"
    wine "$WIN_EXE" COM1 "$POLLS"
done
