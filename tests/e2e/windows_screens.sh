#!/usr/bin/env bash
# The trouble-code and actuator windows of the real program, opened with the
# mouse against the simulator reporting codes: each window shows over the main
# window, the trouble-code list has text, the actuator window's exit hands
# control back to the ECU, and the main window takes the mouse again.
# Screenshots go to $SHOTS (codes.png, actuators.png).
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
source "$ROOT/scripts/wine-env.sh"
harness_trap
wine_env
ensure_display

EXE="${MOTOSKOP_EXE:-$BUILD/win/motoskop.exe}"
SHOTS="${SHOTS:-$(harness_run_dir)}"
[ -f "$EXE" ] || die "no $EXE"
start_ecusim --family 1 --codes FF FF 00 00

start_bg motoskop wine "$EXE"
for _ in $(seq 1 60); do
    xdotool search --name '^MOTOSKOP$' >/dev/null 2>&1 && break
    sleep 0.5
done
sleep 2

click() { xdotool mousemove "$1" "$2" mousedown 1 sleep 0.15 mouseup 1; }
shot() { import -window root "$SHOTS/$1.png"; }
check() { # check WHAT COMMAND...: one PASS or FAIL line
    local what="$1"
    shift
    if "$@"; then echo "PASS $what"; else echo "FAIL $what"; fi
}
# Waits up to 3 s for a command to succeed.
within3s() {
    local i
    for i in $(seq 1 30); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
windows_shown() { [ "$(xdotool search --onlyvisible --name '^MOTOSKOP$' 2>/dev/null | wc -l)" -eq "$1" ]; }
# Share of light text pixels in a screen rectangle, in thousandths.
text_share() {
    convert "$SHOTS/$1.png" -crop "$2" +repage -colorspace Gray -threshold 50% \
        -format '%[fx:int(mean*1000)]' info:
}
has_text() { [ "$(text_share "$1" "$2")" -ge "$3" ]; }
no_text() { [ "$(text_share "$1" "$2")" -eq 0 ]; }
logged() { grep -qx "$1" "$MOTOSKOP_ECUSIM_LOG"; }

# The main window sits at the top-left; both windows are centred on it.
WX=$(((800 - 524) / 2))
WY=$(((572 - 365) / 2))
EXIT_X=$((WX + 493 + 13))
EXIT_Y=$((WY + 342 + 9))
LIST="490x305+$((WX + 24))+$((WY + 20))"

click 530 409 # START
within3s grep -q 'rx F4 56 01 B5' "$MOTOSKOP_ECUSIM_LOG" || echo "FAIL no poll reached the simulator"
sleep 1.5

click $((581 + 47)) $((399 + 10)) # ERROR
check "trouble-code window opens" within3s windows_shown 2
sleep 1
shot codes
check "trouble-code list shows the codes" has_text codes "$LIST" 20
click $((WX + 168 + 13)) $((WY + 342 + 9)) # reset
check "reset sends the clear-codes frame" within3s logged "rx F4 60 04 00 00 40 00 00 00 00 00 00 00 68"
sleep 1
shot codes_reset
check "the list empties after the reset" no_text codes_reset "$LIST"
click "$EXIT_X" "$EXIT_Y"
check "trouble-code window closes" within3s windows_shown 1

click $((677 + 47)) $((399 + 10)) # TEST
check "actuator window opens" within3s windows_shown 2
sleep 2.5
shot actuators
click "$EXIT_X" "$EXIT_Y"
check "exit hands control back to the ECU" \
    within3s logged "rx F4 60 04 00 00 00 00 00 00 00 00 00 00 A8"
check "actuator window closes" within3s windows_shown 1
echo "screenshots in $SHOTS"
