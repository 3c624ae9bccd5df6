#!/usr/bin/env bash
# CPU of the program replaying a recording at 8x against the same program connected live:
# first motoskop.exe polls the paced simulator (family 1, all five panels repainting every
# 50 ms), then a fresh motoskop.exe plays a recording of the simulated engine (tools/recgen)
# at 8x. Each figure is the CPU time (utime + stime from /proc) of the Wine process hosting
# motoskop.exe over the measuring window, as a share of one core.
# usage: bench/replay_cpu.sh [seconds]   (default 30; uses build/native and build/win)
set -uo pipefail
source "$(dirname "$0")/../scripts/wine-env.sh"
SECONDS_TO_MEASURE="${1:-30}"
EXE="${MOTOSKOP_EXE:-$BUILD/win/motoskop.exe}"
[ -x "${MOTOSKOP_ECUSIM:-$BUILD/native/ecusim}" ] || build_native ecusim
[ -x "$BUILD/native/recgen" ] || build_native recgen
[ -f "$EXE" ] || build_windows motoskop

harness_trap
wine_env
ensure_display
RUN_DIR="$(harness_run_dir)"
HZ="$(getconf CLK_TCK)"

# measure NAME: the share of one core the program used over the window, printed.
measure() {
    local p0 p1 t0 t1
    p0="$(cpu_ticks "$APP_EXE_PID")"
    t0="$(date +%s.%N)"
    sleep "$SECONDS_TO_MEASURE"
    t1="$(date +%s.%N)"
    p1="$(cpu_ticks "$APP_EXE_PID")"
    kill -0 "$APP_EXE_PID" 2>/dev/null || die "motoskop.exe ended during the measurement"
    awk -v p="$((p1 - p0))" -v hz="$HZ" -v t0="$t0" -v t1="$t1" -v name="$1" 'BEGIN {
        s = t1 - t0
        printf "%-34s %6.1f %% of one core (%.2f s CPU in %.1f s)\n", name ":", 100 * p / hz / s, p / hz, s
    }'
}

start_ecusim --family 1 --pace on
start_program 2>"$RUN_DIR/wine-live.err" && [ -n "$APP_EXE_PID" ] ||
    die "cannot find the process of motoskop.exe"
sleep 2
click START
sleep 5
measure "live, paced simulator"
click START # STOP
sleep 1
click CLOSE
sleep 2
stop_ecusim

# Long enough for the whole window at 8x.
"$BUILD/native/recgen" "$RUN_DIR/bench.mrec" "$RUN_DIR/frames.txt" \
    $((SECONDS_TO_MEASURE * 8 + 120)) >/dev/null || die "recgen failed"
start_program "$(wine_path "$RUN_DIR/bench.mrec")" 2>"$RUN_DIR/wine-replay.err" &&
    [ -n "$APP_EXE_PID" ] || die "cannot find the process of motoskop.exe"
sleep 3
for _ in 1 2 3; do click REPLAY_FASTER; done # 1x -> 8x
click REPLAY_PLAY
sleep 3
measure "replay at 8x"
