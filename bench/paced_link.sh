#!/usr/bin/env bash
# Runs a link benchmark (one of build/win/bench_*.exe) under Wine against the ECU
# simulator pacing its bytes at 8200 baud (11 bits per byte) with a 5 ms reaction,
# on a pty mapped to COM7. The benchmark gets the port name and the poll count.
# usage: bench/paced_link.sh TARGET POLLS   (bench/poll_rate.sh, bench/recording_poll_rate.sh)
set -euo pipefail
source "$(dirname "$0")/../scripts/wine-env.sh"
TARGET="$1"
POLLS="$2"
PORT_NUMBER=7

build_native ecusim >/dev/null
build_windows "$TARGET" >/dev/null

harness_trap
trap 'unmap_com "$PORT_NUMBER"; harness_cleanup' EXIT
wine_env
RUN="$(harness_run_dir)"
# The simulator's own pty, mapped as COM7 the way the harness maps its ports (Wine
# rewrites dosdevices links at start-up, the ports' links stay).
start_bg ecusim "$BUILD/native/ecusim" --family 1 --pace on --delay 5 >"$RUN/ecusim.out" 2>"$RUN/ecusim.err"
PTY=""
for _ in $(seq 50); do
  PTY="$(awk '/^pty /{print $2}' "$RUN/ecusim.out" 2>/dev/null)"
  [ -n "$PTY" ] && break
  sleep 0.1
done
[ -n "$PTY" ] || die "the simulator reported no pty"
map_com "$PORT_NUMBER" "$PTY"

wine "$BUILD/win/$TARGET.exe" "COM$PORT_NUMBER" "$POLLS"
