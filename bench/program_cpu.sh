#!/usr/bin/env bash
# CPU use of the whole program while connected: motoskop.exe under Wine against the
# paced simulator (family 1, 8200 baud), all five panels repainting every 50 ms. After
# START and a few seconds to settle, the CPU time (utime + stime from /proc) of the Wine
# process hosting motoskop.exe is taken over the measuring window and printed as a share
# of one core, with wineserver's and (when this script started it) Xvfb's beside it.
# usage: bench/program_cpu.sh [seconds]   (default 60; uses build/native and build/win,
# or MOTOSKOP_ECUSIM / MOTOSKOP_EXE)
set -uo pipefail
source "$(dirname "$0")/../scripts/wine-env.sh"
SECONDS_TO_MEASURE="${1:-60}"
EXE="${MOTOSKOP_EXE:-$BUILD/win/motoskop.exe}"
[ -x "${MOTOSKOP_ECUSIM:-$BUILD/native/ecusim}" ] || build_native ecusim
[ -f "$EXE" ] || build_windows motoskop

harness_trap
wine_env
OWN_XVFB=""
[ -z "${DISPLAY:-}" ] && OWN_XVFB=1
ensure_display
XVFB_PID=""
[ -n "$OWN_XVFB" ] && XVFB_PID="${HARNESS_PIDS[-1]}"
start_ecusim --family 1 --pace on
# Wine's own chatter goes to wine.err.
start_program 2>"$(harness_run_dir)/wine.err" && [ -n "$APP_EXE_PID" ] ||
    die "cannot find the process of motoskop.exe"
PROGRAM="$APP_EXE_PID"
WINESERVER="$(wineserver_pid)"
sleep 2
click START
sleep 5

HZ="$(getconf CLK_TCK)"
p0="$(cpu_ticks "$PROGRAM")"
w0="$([ -n "$WINESERVER" ] && cpu_ticks "$WINESERVER" || echo 0)"
x0="$([ -n "$XVFB_PID" ] && cpu_ticks "$XVFB_PID" || echo 0)"
n0="$(ecusim_polls)"
t0="$(date +%s.%N)"
sleep "$SECONDS_TO_MEASURE"
t1="$(date +%s.%N)"
p1="$(cpu_ticks "$PROGRAM")"
w1="$([ -n "$WINESERVER" ] && cpu_ticks "$WINESERVER" || echo 0)"
x1="$([ -n "$XVFB_PID" ] && cpu_ticks "$XVFB_PID" || echo 0)"
n1="$(ecusim_polls)"
kill -0 "$PROGRAM" 2>/dev/null || die "motoskop.exe ended during the measurement"
late="$(grep -c '^late ' "$MOTOSKOP_ECUSIM_LOG" 2>/dev/null || true)"

awk -v p="$((p1 - p0))" -v w="$((w1 - w0))" -v x="$((x1 - x0))" -v hz="$HZ" \
    -v t0="$t0" -v t1="$t1" -v polls="$((n1 - n0))" -v late="${late:-0}" -v own="$OWN_XVFB" 'BEGIN {
    s = t1 - t0
    printf "connected, paced simulator, %.1f s measured\n", s
    printf "motoskop.exe (Wine process): %6.1f %% of one core (%.2f s CPU)\n", 100 * p / hz / s, p / hz
    printf "wineserver of the prefix:     %6.1f %% of one core\n", 100 * w / hz / s
    if (own) printf "Xvfb (this run'"'"'s display):   %6.1f %% of one core\n", 100 * x / hz / s
    printf "polls answered: %d (%.1f per second); late paced answers in the whole run: %d\n", polls, polls / s, late
}'
