#!/usr/bin/env bash
# The real program against the simulator in each ECU family, driven with the
# mouse as a user would: family 1 (ESPERO's first engine) for a while, so the
# coolant rises; then, each time disconnected, the car and engine buttons choose
# a LANOS (family 4), a LEMAN_RACER (2) and ESPERO's 2.0 TBI SOHC (3), the
# simulator is switched to that family's layout and START pressed again.
# Screenshots of each go to the run directory and build/screenshots/; the
# readout area must change with fresh data and the simulator must see polls.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
source "$ROOT/scripts/wine-env.sh"
harness_trap
wine_env
ensure_display

EXE="${MOTOSKOP_EXE:-$BUILD/win/motoskop.exe}"
[ -f "$EXE" ] || { echo "FAIL family_screens: no $EXE"; exit 1; }
RUN="$(harness_run_dir)"
SHOTS="$BUILD/screenshots"
mkdir -p "$SHOTS"
FIRST_SECONDS="${FAMILY_SCREENS_FIRST_SECONDS:-20}"

pass() { echo "PASS family_screens: $*"; }
fail() { echo "FAIL family_screens: $*"; }

# The program reads the port from the registry: make sure it is COM1.
wine reg add 'HKCU\MOTOSKOP\Com' /v ComPort /t REG_DWORD /d 0 /f >/dev/null 2>&1
start_ecusim --family 1 --pace on

start_bg motoskop wine "$EXE"
APP_PID=$!
window=""
for _ in $(seq 1 120); do
    window="$(xdotool search --onlyvisible --name '^MOTOSKOP$' 2>/dev/null | head -1)"
    [ -n "$window" ] && break
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.25
done
[ -n "$window" ] || { fail "no window titled MOTOSKOP"; exit 1; }
sleep 2

click() { xdotool mousemove "$1" "$2" mousedown 1 sleep 0.1 mouseup 1 sleep 0.15; }
car() { click $((103 + 13)) $((548 + 9)); }
engine() { click $((255 + 13)) $((548 + 9)); }
start_stop() { click 530 409; }
shot() { import -window root -crop 800x572+0+0 +repage "$1"; }
polls() { grep -c '^rx F4 56 01 B5$' "$MOTOSKOP_ECUSIM_LOG" 2>/dev/null || true; }
# Pixels of the readout values (Param_1..Param_14) that differ between two shots.
readout_change() {
    convert "$1" -crop 110x226+658+62 +repage "$RUN/a.png" &&
        convert "$2" -crop 110x226+658+62 +repage "$RUN/b.png" &&
        compare -metric AE "$RUN/a.png" "$RUN/b.png" null: 2>&1 | cut -d' ' -f1
}

# Connects with the simulator in FAMILY's layout, waits SECONDS, photographs, disconnects.
connect() { # connect FAMILY NAME SECONDS
    local family="$1" name="$2" before after changed
    ecusim_ctl family "$family" || fail "simulator did not take family $family"
    shot "$RUN/$name-idle.png"
    before=$(polls)
    start_stop
    sleep "$3"
    shot "$RUN/$name.png"
    after=$(polls)
    start_stop
    sleep 1.2 # the link lets the port go; the buttons come back
    cp "$RUN/$name.png" "$SHOTS/family_$name.png"
    if [ $((after - before)) -ge 5 ]; then
        pass "family $family: $((after - before)) polls"
    else
        fail "family $family: only $((after - before)) polls"
    fi
    changed=$(readout_change "$RUN/$name-idle.png" "$RUN/$name.png")
    if [ "${changed:-0}" -gt 200 ]; then
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
