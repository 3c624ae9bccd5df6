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
start_program 2>"$(harness_run_dir)/wine.err" # Wine's own chatter
LAUNCHER=$APP_PID

# The process that runs motoskop.exe: the launcher itself once it has become the
# Windows process, or a descendant of it.
descends_from() { # descends_from PID ANCESTOR
    local p="$1"
    while [ -n "$p" ] && [ "$p" -gt 1 ]; do
        [ "$p" = "$2" ] && return 0
        p="$(awk '{print $4}' "/proc/$p/stat" 2>/dev/null)"
    done
    return 1
}
find_program() {
    local f pid
    for f in /proc/[0-9]*/cmdline; do
        pid="${f#/proc/}"
        pid="${pid%/cmdline}"
        { tr '\0' ' ' <"$f"; } 2>/dev/null | grep -qi 'motoskop\.exe' || continue
        [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "motoskop.exe" ] || continue
        descends_from "$pid" "$LAUNCHER" && { echo "$pid"; return 0; }
    done
    return 1
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }

PROGRAM="$(find_program)" || die "cannot find the process of motoskop.exe"
# This prefix's wineserver works in a directory named server-DEV-INODE of the prefix.
SERVER_DIR="server-$(stat -c '%D' "$WINEPREFIX")-$(printf '%x' "$(stat -c '%i' "$WINEPREFIX")")"
WINESERVER=""
for pid in $(pgrep wineserver); do
    case "$(readlink "/proc/$pid/cwd")" in */"$SERVER_DIR") WINESERVER="$pid" ;; esac
done
sleep 2
click START
sleep 5

HZ="$(getconf CLK_TCK)"
polls_now() { grep -c '^rx F4 56 01 B5' "$MOTOSKOP_ECUSIM_LOG" 2>/dev/null || echo 0; }
p0="$(cpu_ticks "$PROGRAM")"
w0="$([ -n "$WINESERVER" ] && cpu_ticks "$WINESERVER" || echo 0)"
x0="$([ -n "$XVFB_PID" ] && cpu_ticks "$XVFB_PID" || echo 0)"
n0="$(polls_now)"
t0="$(date +%s.%N)"
sleep "$SECONDS_TO_MEASURE"
t1="$(date +%s.%N)"
p1="$(cpu_ticks "$PROGRAM")"
w1="$([ -n "$WINESERVER" ] && cpu_ticks "$WINESERVER" || echo 0)"
x1="$([ -n "$XVFB_PID" ] && cpu_ticks "$XVFB_PID" || echo 0)"
n1="$(polls_now)"
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
