#!/usr/bin/env bash
# Runs bench_poll_rate.exe under Wine against the ECU simulator pacing its bytes
# at 8200 baud (11 bits per byte) with a 5 ms reaction, on a pty mapped to COM7.
# usage: bench/poll_rate.sh [polls]   (builds into build/bench-native and build/bench-win, or
# the directories POLL_RATE_NATIVE_BUILD and POLL_RATE_WIN_BUILD)
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
source "$ROOT/scripts/wine-env.sh"
POLLS="${1:-250}"
PORT_NUMBER=7
NATIVE="${POLL_RATE_NATIVE_BUILD:-$BUILD/bench-native}"
WIN="${POLL_RATE_WIN_BUILD:-$BUILD/bench-win}"

build_libjpeg
cmake -S "$ROOT" -B "$NATIVE" >/dev/null
cmake --build "$NATIVE" --target ecusim -j2 >/dev/null
cmake -S "$ROOT" -B "$WIN" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
  -DMOTOSKOP_JPEG_PREFIX="$JPEG_PREFIX" >/dev/null
cmake --build "$WIN" --target bench_poll_rate -j2 >/dev/null

harness_trap
trap 'unmap_com "$PORT_NUMBER"; harness_cleanup' EXIT
wine_env
RUN="$(harness_run_dir)"
# The simulator's own pty, mapped as COM7 the way the harness maps its ports (Wine
# rewrites dosdevices links at start-up, the ports' links stay).
start_bg ecusim "$NATIVE/ecusim" --family 1 --pace on --delay 5 >"$RUN/ecusim.out" 2>"$RUN/ecusim.err"
PTY=""
for _ in $(seq 50); do
  PTY="$(awk '/^pty /{print $2}' "$RUN/ecusim.out" 2>/dev/null)"
  [ -n "$PTY" ] && break
  sleep 0.1
done
[ -n "$PTY" ] || die "the simulator reported no pty"
map_com "$PORT_NUMBER" "$PTY"

wine "$WIN/bench_poll_rate.exe" "COM$PORT_NUMBER" "$POLLS"
