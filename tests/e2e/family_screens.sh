#!/usr/bin/env bash
# The real program against the simulator in each ECU family, driven with the
# mouse as a user would: family 1 (ESPERO's first engine) for a while, so the
# coolant rises; then, each time disconnected, the car and engine buttons choose
# a LANOS (family 4), a LEMAN_RACER (2) and ESPERO's 2.0 TBI SOHC (3), the
# simulator is switched to that family's layout and START pressed again.
# Screenshots of each go to the run directory and build/screenshots/; the
# readout area must change with fresh data and the simulator must see polls.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_begin family_screens
SHOTS="$BUILD/screenshots"
mkdir -p "$SHOTS"
FIRST_SECONDS="${FAMILY_SCREENS_FIRST_SECONDS:-20}"

# The program reads the port from the registry: make sure it is COM1.
wine reg add 'HKCU\MOTOSKOP\Com' /v ComPort /t REG_DWORD /d 0 /f >/dev/null 2>&1
start_ecusim --family 1 --pace on

start_program || { fail "no window titled MOTOSKOP"; exit 1; }
wait_for 10 window_drawn
ERROR_IDLE="$(button_face ERROR)" # ERROR as it is while disconnected (dimmed)
disconnected() { [ "$(button_face ERROR)" = "$ERROR_IDLE" ]; }

# Each press gets a moment before the next, as a hand would.
car() { click CAR && sleep 0.15; }
engine() { click ENGINE && sleep 0.15; }
start_stop() { click START && sleep 0.15; }
shot() { import -window root -crop 800x572+0+0 +repage "$1"; }
# Pixels of the readout values (Param_1..Param_14) that differ between two shots.
readout_change() { area_change "$1" "$2" 110x226+658+62; }

# Connects with the simulator in FAMILY's layout, waits SECONDS, photographs, disconnects.
connect() { # connect FAMILY NAME SECONDS
    local family="$1" name="$2" before after changed
    ecusim_ctl family "$family" || fail "simulator did not take family $family"
    shot "$RUN/$name-idle.png"
    before=$(ecusim_polls)
    start_stop
    sleep "$3"
    shot "$RUN/$name.png"
    after=$(ecusim_polls)
    start_stop
    wait_for 5 disconnected # the link lets the port go; the buttons come back
    cp "$RUN/$name.png" "$SHOTS/family_$name.png"
    if [ $((after - before)) -ge 5 ]; then
        pass "family $family: $((after - before)) polls"
    else
        fail "family $family: only $((after - before)) polls"
    fi
    changed=$(readout_change "$RUN/$name-idle.png" "$RUN/$name.png")
    # An unchanged readout differs in 0 pixels; one family after another at the same
    # engine state may differ in only a few values, so a low bar.
    if [ "${changed:-0}" -gt 60 ]; then
        pass "family $family: the readout shows fresh data ($changed pixels changed)"
    else
        fail "family $family: the readout did not change ($changed pixels)"
    fi
}

connect 1 1_espero "$FIRST_SECONDS"
car # LANOS 1.3 SOHC
connect 4 4_lanos 3
car # LEGANZA
car # LEMAN_RACER 1.5 MPFI DOHC
connect 2 2_leman 3
for _ in $(seq 1 8); do car; done # MAGNUS .. REZZO, ESPERO
for _ in $(seq 1 6); do engine; done # 2.0 TBI SOHC
connect 3 3_espero_tbi 3

if kill -0 "$APP_PID" 2>/dev/null; then pass "the program is still running"; else fail "the program ended"; fi
log "screenshots in $SHOTS/family_*.png"
exit 0
