#!/usr/bin/env bash
# Runs bench_poll_rate.exe under Wine against the ECU simulator pacing its bytes
# at 8200 baud (11 bits per byte) with a 5 ms reaction, on a pty mapped to COM7.
# usage: bench/poll_rate.sh [polls]   (builds into build/bench-native and build/bench-win, or
# the directories POLL_RATE_NATIVE_BUILD and POLL_RATE_WIN_BUILD)
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
POLLS="${1:-250}"
PORT_NUMBER=7
NATIVE="${POLL_RATE_NATIVE_BUILD:-$BUILD/bench-native}"
WIN="${POLL_RATE_WIN_BUILD:-$BUILD/bench-win}"
export WINEPREFIX="${WINEPREFIX:-$BUILD/wineprefix}" WINEDEBUG=-all

build_libjpeg
cmake -S "$ROOT" -B "$NATIVE" >/dev/null
cmake --build "$NATIVE" --target ecusim -j2 >/dev/null
cmake -S "$ROOT" -B "$WIN" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
  -DMOTOSKOP_JPEG_PREFIX="$JPEG_PREFIX" >/dev/null
cmake --build "$WIN" --target bench_poll_rate -j2 >/dev/null

[ -d "$WINEPREFIX/dosdevices" ] || WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
LINK="$WINEPREFIX/dosdevices/com$PORT_NUMBER"
"$NATIVE/ecusim" --family 1 --pace on --delay 5 --link "$LINK" >/dev/null &
SIM=$!
trap 'kill $SIM 2>/dev/null; wait $SIM 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -L "$LINK" ] && break; sleep 0.1; done
[ -L "$LINK" ] || die "the simulator did not create $LINK"

wine "$WIN/bench_poll_rate.exe" "COM$PORT_NUMBER" "$POLLS"
