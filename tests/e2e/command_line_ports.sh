#!/usr/bin/env bash
# The command line and the ports beyond COM8, with the real program under Wine:
#   --help/--version print to the starter and exit 0, a wrong option prints the usage and exits 2;
#   with the simulator as COM12: --port COM12 --connect polls at once; from COM8 the port
#   button reaches Com-12 (after the present ports between), stores it, and START polls;
#   a port that is not present shows a dimmed label.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_begin command_line_ports

# 1. Options that end the program at once.
help="$(timeout 60 wine "$EXE" --help 2>/dev/null)"
help_rc=$?
version="$(timeout 60 wine "$EXE" --version 2>/dev/null)"
version_rc=$?
wrong="$(timeout 60 wine "$EXE" --port COM2 --bogus 2>/dev/null)"
wrong_rc=$?
bad_port="$(timeout 60 wine "$EXE" --port LPT1 2>/dev/null)"
bad_port_rc=$?
if [ "$help_rc" = 0 ] && grep -q -- '--port COMn' <<<"$help" && grep -q -- '--connect' <<<"$help"; then
    pass "--help prints the usage, exit 0"
else
    fail "--help: exit $help_rc, output: $help"
fi
if [ "$version_rc" = 0 ] && [[ "$version" =~ ^MOTOSKOP\ [0-9] ]]; then
    pass "--version prints \"$version\", exit 0"
else
    fail "--version: exit $version_rc, output: $version"
fi
if [ "$wrong_rc" = 2 ] && grep -q 'unknown option --bogus' <<<"$wrong" && grep -q -- '--port COMn' <<<"$wrong"; then
    pass "an unknown option prints the usage, exit 2"
else
    fail "unknown option: exit $wrong_rc, output: $wrong"
fi
if [ "$bad_port_rc" = 2 ] && grep -q 'LPT1' <<<"$bad_port"; then
    pass "--port LPT1 is refused, exit 2"
else
    fail "--port LPT1: exit $bad_port_rc, output: $bad_port"
fi

stop_program() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}
stored_port() {
    wine reg query 'HKCU\MOTOSKOP\Com' /v ComPort 2>/dev/null | tr -d '\r' |
        awk '$1 == "ComPort" { print $3 }'
}
polled_since() { [ "$(ecusim_polls)" -gt "$1" ]; }
PORT_LABEL=60x16+736+550 # the window paints its labels with its buttons
# Pixels of the port label (Label1 at 736,550) in its normal light green.
label_green() {
    import -window root -crop 60x16+736+550 -depth 8 txt:- |
        grep -c -E '#(8[0-9A-F]|9[0-9A-F]|A[0-9A-F])(C[0-9A-F]|D[0-9A-F]|E[0-9A-F])' || true
}

# 2. The simulator as COM12; the program started on it connects by itself.
ECUSIM_COM=12 start_ecusim --family 1
start_program --port COM12 --connect || fail "no main window"
wait_for 10 polled_since 0
import -window root "$RUN/com12-connect.png"
if [ "$(ecusim_polls)" -gt 0 ]; then pass "--port COM12 --connect polls the simulator on COM12"; else
    fail "--port COM12 --connect: no poll reached COM12"; fi
[ "$(stored_port)" = 0xb ] && pass "--port COM12 is stored as ComPort 11" ||
    fail "--port COM12 stored $(stored_port)"
stop_program

# 3. From COM8 the button steps through the present ports above it to Com-12; START polls.
between="$(wine reg query 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' 2>/dev/null | tr -d '\r' |
    awk '{ n = $NF; sub(/^COM/, "", n) } $NF ~ /^COM/ && n + 0 >= 9 && n + 0 <= 11' | wc -l)"
before="$(ecusim_polls)"
start_program --port COM8 || fail "no main window"
wait_for 10 window_drawn
label_changed() { [ "$(area_hash "$PORT_LABEL")" != "$label" ]; }
for _ in $(seq 0 "$between"); do
    label="$(area_hash "$PORT_LABEL")"
    click PORT
    wait_for 3 label_changed
done
import -window root "$RUN/com12-button.png"
[ "$(stored_port)" = 0xb ] && pass "the port button reaches COM12 after $between other present port(s)" ||
    fail "after $((between + 1)) presses from COM8 the stored port is $(stored_port)"
bright="$(label_green)"
click START
wait_for 10 polled_since "$before"
import -window root "$RUN/com12-started.png"
[ "$(ecusim_polls)" -gt "$before" ] && pass "START on Com-12 polls the simulator" ||
    fail "START on Com-12: no poll arrived"
stop_program

# 4. A port that is not on the machine: the label is dimmed.
start_program --port COM10 || fail "no main window"
wait_for 10 window_drawn
import -window root "$RUN/com10-absent.png"
dim="$(label_green)"
if [ "$bright" -gt 10 ] && [ "$dim" -lt 3 ]; then
    pass "an absent port's label is dimmed ($bright -> $dim light-green pixels)"
else
    fail "port label: $bright light-green pixels on COM12, $dim on the absent COM10"
fi
stop_program
exit "$E2E_FAILED"
