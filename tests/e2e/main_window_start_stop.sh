#!/usr/bin/env bash
# The main window against the simulator: START connects (STOP shows, the status
# line reads "Данные получены.", ERROR and TEST light up), STOP disconnects (the
# START button blinks, ERROR and TEST go dark). Screenshots go to $SHOTS.
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_begin main_window_start_stop
SHOTS="${SHOTS:-$RUN}"
start_ecusim --family 1 --pace on

start_program || true
wait_for 10 window_drawn || true

# Brightness 0..765 of a pixel (the window sits at the screen's top-left).
level() { local c; c="$(pixel "$1" "$2")"; echo $((16#${c:1:2} + 16#${c:3:2} + 16#${c:5:2})); }
give_up() { fail "$*"; exit 1; }

# ERROR's caption (581..676 x 399..418) is dimmed while the button is disabled.
error_level() { level 611 409; }
before="$(error_level)"
import -window root "$SHOTS/start.png"

# STOP's red lamp sits where START's green one was.
red_lamp() { local c; c="$(pixel 497 409)"; [ $((16#${c:1:2})) -gt 180 ] && [ $((16#${c:3:2})) -lt 120 ]; }
connected() { red_lamp && [ "$(error_level)" -gt "$before" ] && grep -q 'rx F4 56 01 B5' "$MOTOSKOP_ECUSIM_LOG"; }
click START
wait_for 10 connected || true
import -window root "$SHOTS/connected.png"
after="$(error_level)"
lamp="$(pixel 497 409)"
[ $((16#${lamp:1:2})) -gt 180 ] && [ $((16#${lamp:3:2})) -lt 120 ] || give_up "no red STOP lamp ($lamp)"
[ "$after" -gt "$before" ] || give_up "ERROR did not light up ($before -> $after)"
grep -q 'rx F4 56 01 B5' "$MOTOSKOP_ECUSIM_LOG" || give_up "the simulator saw no poll"

click START # STOP
# The START lamp is lit 80 ms in every 2080 ms and one probe takes longer than that:
# keep probing for many blink periods (up to 30 s) until one catches it lit.
lit=0
deadline=$((SECONDS + 30))
while [ "$SECONDS" -lt "$deadline" ]; do
    c="$(pixel 497 409)"
    [ $((16#${c:3:2})) -gt 180 ] && { lit=1; import -window root "$SHOTS/blink.png"; break; }
    sleep 0.08
done
[ "$lit" = 1 ] || give_up "START never blinked"
error_dark() { [ "$(error_level)" -le "$before" ]; }
wait_for 5 error_dark || true
import -window root "$SHOTS/disconnected.png"
[ "$(error_level)" -le "$before" ] || give_up "ERROR still enabled after STOP"
pass "START connects, STOP disconnects ($SHOTS)"
