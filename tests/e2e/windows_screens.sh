#!/usr/bin/env bash
# The trouble-code and actuator windows of the real program, opened with the
# mouse against the simulator reporting codes: each window shows over the main
# window, the trouble-code list has text, the actuator window's exit hands
# control back to the ECU, and the main window takes the mouse again.
# Screenshots go to $SHOTS (codes.png, actuators.png).
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_begin windows_screens
SHOTS="${SHOTS:-$RUN}"
start_ecusim --family 1 --codes FF FF 00 00

start_program || true
wait_for 10 window_drawn || true
ERROR_IDLE="$(button_face ERROR)" # dimmed until the first reply

shot() { import -window root "$SHOTS/$1.png"; }
# Waits up to 3 s for a command to succeed.
within3s() {
    local i
    for i in $(seq 1 30); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
windows_shown() { [ "$(program_windows)" -eq "$1" ]; }
# Share of light text pixels in a screen rectangle, in thousandths.
text_share() {
    convert "$SHOTS/$1.png" -crop "$2" +repage -colorspace Gray -threshold 50% \
        -format '%[fx:int(mean*1000)]' info:
}
has_text() { [ "$(text_share "$1" "$2")" -ge "$3" ]; }
no_text() { [ "$(text_share "$1" "$2")" -eq 0 ]; }
logged() { grep -qx "$1" "$MOTOSKOP_ECUSIM_LOG"; }

# The trouble-code list of the window centred on the main window.
LIST="490x305+$((POSITION_SECONDARY[0] + 24))+$((POSITION_SECONDARY[1] + 20))"

click START
within3s grep -q 'rx F4 56 01 B5' "$MOTOSKOP_ECUSIM_LOG" || fail "no poll reached the simulator"
error_lit() { [ "$(button_face ERROR)" != "$ERROR_IDLE" ]; }
wait_for 5 error_lit || true

listed() { shot codes && has_text codes "$LIST" 20; }
emptied() { shot codes_reset && no_text codes_reset "$LIST"; }
click ERROR
check "trouble-code window opens" within3s windows_shown 2
wait_for 5 listed || true
check "trouble-code list shows the codes" has_text codes "$LIST" 20
click CODES_RESET
check "reset sends the clear-codes frame" within3s logged "rx F4 60 04 00 00 40 00 00 00 00 00 00 00 68"
wait_for 5 emptied || true
check "the list empties after the reset" no_text codes_reset "$LIST"
click CODES_EXIT
check "trouble-code window closes" within3s windows_shown 1

click TEST
check "actuator window opens" within3s windows_shown 2
wait_for 5 drawn ACT_EXIT || true
shot actuators
click ACT_EXIT
check "exit hands control back to the ECU" \
    within3s logged "rx F4 60 04 00 00 00 00 00 00 00 00 00 00 A8"
check "actuator window closes" within3s windows_shown 1
echo "screenshots in $SHOTS"
