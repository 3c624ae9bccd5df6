#!/usr/bin/env bash
# The line goes dead under a running link: the simulator process ends while the
# program polls it (its pty hangs up). The program keeps running and answering
# the mouse, and after STOP/START it polls the simulator that came back.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_begin simulator_restart
start_ecusim --family 1

face() { button_face START; }
# START/STOP's face while the button is held down (it changes at once on a press).
held_face() {
    press START
    sleep 0.3
    face
    release
}

polled() { [ "$(ecusim_polls)" -ge "$1" ]; }
start_program
pid=$APP_PID
wait_for 10 window_drawn
click START
wait_for 10 polled 5
stop_face="$(face)"
stopped() { [ "$(face)" != "$stop_face" ]; } # START shows again (blinking)
[ "$(ecusim_polls)" -ge 5 ] || { fail "no polls before the hang-up"; exit 1; }

stop_ecusim # the line goes dead
sleep 3
kill -0 "$pid" 2>/dev/null || { fail "the program ended with the line"; exit 1; }
pass "still running 3 s after the hang-up"

idle="$(face)"
pressed="$(held_face)" # this press is STOP
if [ "$pressed" != "$idle" ]; then
    pass "the window answers the mouse"
else
    fail "START/STOP did not react to a press"
fi
wait_for 5 stopped # the press was STOP

start_ecusim --family 1 # back, on a new pty mapped as COM1
click START             # opens COM1 anew
for _ in $(seq 1 50); do
    [ "$(ecusim_polls)" -ge 5 ] && break
    sleep 0.1
done
if [ "$(ecusim_polls)" -ge 5 ]; then
    pass "polling again after STOP/START ($(ecusim_polls) polls)"
else
    fail "no polls reached the simulator after STOP/START"
fi
kill -0 "$pid" 2>/dev/null || fail "the program ended"
