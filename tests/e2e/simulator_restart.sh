#!/usr/bin/env bash
# The line goes dead under a running link: the simulator process ends while the
# program polls it (its pty hangs up). The program keeps running and answering
# the mouse, and after STOP/START it polls the simulator that came back.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
source "$ROOT/scripts/wine-env.sh"
harness_trap
wine_env
ensure_display

EXE="${MOTOSKOP_EXE:-$BUILD/win/motoskop.exe}"
[ -f "$EXE" ] || { echo "FAIL simulator_restart: no $EXE"; exit 1; }
start_ecusim --family 1

click() { xdotool mousemove 532 409 mousedown 1 sleep 0.1 mouseup 1; } # START/STOP
polls() { grep -c '^rx F4 56 01 B5$' "$MOTOSKOP_ECUSIM_LOG" 2>/dev/null || true; }
# START/STOP's face while the button is held down (it changes at once on a press).
held_face() {
    xdotool mousemove 532 409 mousedown 1
    sleep 0.3
    import -window root -crop 95x20+485+399 -depth 8 txt:- 2>/dev/null | md5sum
    xdotool mouseup 1
}
face() { import -window root -crop 95x20+485+399 -depth 8 txt:- 2>/dev/null | md5sum; }

start_bg motoskop wine "$EXE"
pid=$!
for _ in $(seq 1 120); do
    xdotool search --name '^MOTOSKOP$' >/dev/null 2>&1 && break
    sleep 0.25
done
sleep 1
click # START
sleep 2
[ "$(polls)" -ge 5 ] || { echo "FAIL simulator_restart: no polls before the hang-up"; exit 1; }

stop_ecusim # the line goes dead
sleep 3
kill -0 "$pid" 2>/dev/null || { echo "FAIL simulator_restart: the program ended with the line"; exit 1; }
echo "PASS simulator_restart: still running 3 s after the hang-up"

idle="$(face)"
pressed="$(held_face)" # this press is STOP
if [ "$pressed" != "$idle" ]; then
    echo "PASS simulator_restart: the window answers the mouse"
else
    echo "FAIL simulator_restart: START/STOP did not react to a press"
fi
sleep 1.5

start_ecusim --family 1 # back, on a new pty mapped as COM1
click                   # START: opens COM1 anew
for _ in $(seq 1 50); do
    [ "$(polls)" -ge 5 ] && break
    sleep 0.1
done
if [ "$(polls)" -ge 5 ]; then
    echo "PASS simulator_restart: polling again after STOP/START ($(polls) polls)"
else
    echo "FAIL simulator_restart: no polls reached the simulator after STOP/START"
fi
kill -0 "$pid" 2>/dev/null || echo "FAIL simulator_restart: the program ended"
