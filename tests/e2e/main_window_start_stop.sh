#!/usr/bin/env bash
# The main window against the simulator: START connects (STOP shows, the status
# line reads "Данные получены.", ERROR and TEST light up), STOP disconnects (the
# START button blinks, ERROR and TEST go dark). Screenshots go to $SHOTS.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
source "$ROOT/scripts/wine-env.sh"
harness_trap
wine_env
ensure_display

EXE="${MOTOSKOP_EXE:-$BUILD/win/motoskop.exe}"
SHOTS="${SHOTS:-$(harness_run_dir)}"
[ -f "$EXE" ] || die "no $EXE"
start_ecusim --family 1 --pace on

start_bg motoskop wine "$EXE"
for _ in $(seq 1 60); do
    xdotool search --name '^MOTOSKOP$' >/dev/null 2>&1 && break
    sleep 0.5
done
sleep 3

# The colour of a client pixel (the window sits at the screen's top-left).
pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | tail -1 | grep -o '#[0-9A-F]\{6\}'; }
# Brightness 0..765 of a pixel.
level() { local c; c="$(pixel "$1" "$2")"; echo $((16#${c:1:2} + 16#${c:3:2} + 16#${c:5:2})); }
click() { xdotool mousemove "$1" "$2" mousedown 1 sleep 0.15 mouseup 1; }
fail() { echo "FAIL: $*" >&2; exit 1; }

# ERROR's caption (581..676 x 399..418) is dimmed while the button is disabled.
error_level() { level 611 409; }
before="$(error_level)"
import -window root "$SHOTS/start.png"

click 530 409 # START
sleep 4
import -window root "$SHOTS/connected.png"
after="$(error_level)"
# STOP's red lamp sits where START's green one was.
lamp="$(pixel 497 409)"
[ $((16#${lamp:1:2})) -gt 180 ] && [ $((16#${lamp:3:2})) -lt 120 ] || fail "no red STOP lamp ($lamp)"
[ "$after" -gt "$before" ] || fail "ERROR did not light up ($before -> $after)"
grep -q 'rx F4 56 01 B5' "$MOTOSKOP_ECUSIM_LOG" || fail "the simulator saw no poll"

click 530 409 # STOP
# The START lamp is lit 80 ms in every 2080 ms and one probe takes longer than that:
# keep probing for many blink periods (up to 30 s) until one catches it lit.
lit=0
deadline=$((SECONDS + 30))
while [ "$SECONDS" -lt "$deadline" ]; do
    c="$(pixel 497 409)"
    [ $((16#${c:3:2})) -gt 180 ] && { lit=1; import -window root "$SHOTS/blink.png"; break; }
    sleep 0.08
done
[ "$lit" = 1 ] || fail "START never blinked"
sleep 0.5
import -window root "$SHOTS/disconnected.png"
[ "$(error_level)" -le "$before" ] || fail "ERROR still enabled after STOP"
echo "PASS main_window_start_stop ($SHOTS)"
