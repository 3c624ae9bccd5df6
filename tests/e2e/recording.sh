#!/usr/bin/env bash
# Recording from the main window against the simulator. First ~30 s recorded with the
# "Запись" button after START (so the minutes before come first), with a trouble code
# appearing, a marker from the "Метка" button and one from the M key, and an actuator
# command; tools/recinfo then reads the file back, and its polls and its CSV export are
# compared with what the simulator logged it sent (recording_vs_simulator.py). Then a
# second run started with --record --connect is killed (kill -9) while recording: what it
# left must open and hold all polls but at most the last second's. Both recordings are also
# read by the independent reader (mrec_reader.py), which must read what recinfo reads.
# Screenshots go to $SHOTS.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_begin recording
SHOTS="${SHOTS:-$RUN}"
RECINFO="${MOTOSKOP_RECINFO:-$BUILD/native/recinfo}"
[ -x "$RECINFO" ] || { fail "no $RECINFO (build_native recinfo)"; exit 1; }

# A Documents folder of this run's own: the recordings go to <it>/MOTOSKOP/Записи.
DOCS="$RUN/docs"
mkdir -p "$DOCS"
export MOTOSKOP_DOCUMENTS="$(wine_path "$DOCS")"
FOLDER="$DOCS/MOTOSKOP/Записи"
# Wine names files in the Unix locale's character set: without ru_RU.UTF-8 on this machine,
# a UTF-8 locale of another language, or the Cyrillic folder cannot be made.
if [ -z "${MOTOSKOP_LOCALE:-}" ] && ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf-\?8'; then
    export MOTOSKOP_LOCALE=C.UTF-8
fi

start_ecusim --family 1 --pace on
give_up() { fail "$*"; exit 1; }
info() { grep -m1 "^$2 " "$1" | cut -d' ' -f2; } # info FILE KEY: the value of a recinfo line
red_lamp() { # the recording lamp (489..500 x 302..313) is lit red at least once within 3 s
    local i c
    for i in $(seq 1 20); do
        c="$(pixel 495 307)"
        [ $((16#${c:1:2})) -gt 180 ] && [ $((16#${c:3:2})) -lt 110 ] && return 0
        sleep 0.15
    done
    return 1
}

polled_since() { [ "$(ecusim_polls)" -ge $(($1 + $2)) ]; } # polled_since COUNT MORE
# Command frames the simulator received, but the idle-speed ones the actuator window sends
# by itself while its track bar follows the ECU.
commands() { grep '^rx F4 60 04 ' "$MOTOSKOP_ECUSIM_LOG" | grep -vc '^rx F4 60 04 00 00 00 00 00 00 0B '; }
commanded_since() { [ "$(commands)" -gt "$1" ]; }
shown() { [ "$(program_windows)" -eq "$1" ]; }

start_program || give_up "no window"
wait_for 10 window_drawn
ERROR_IDLE="$(button_face ERROR)" # ERROR as it is while disconnected (dimmed)
disconnected() { [ "$(button_face ERROR)" = "$ERROR_IDLE" ]; }
click START
sleep 5 # the minutes before fill
click RECORD
recording_since=$SECONDS
check "the lamp blinks red while recording" red_lamp
import -window root "$SHOTS/recording.png"

polls="$(ecusim_polls)"
ecusim_ctl codes 81 00 00 00 # two codes appear: 1.7 and 1.0
wait_for 5 polled_since "$polls" 3 # the program has read them
click MARK
xdotool key m
click TEST
wait_for 5 shown 2
wait_for 5 drawn ACT4
sent="$(commands)"
click ACT4 # the fan on: a command frame the simulator confirms
wait_for 5 commanded_since "$sent"
wait_for 5 polled_since "$(ecusim_polls)" 2 # its answer is judged
click ACT_EXIT
wait_for 5 shown 1
import -window root "$SHOTS/recording-marked.png"
while [ $((SECONDS - recording_since)) -lt 30 ]; do sleep 0.5; done
click START # STOP, while still recording
wait_for 5 disconnected
click RECORD # stop
sleep 1
import -window root "$SHOTS/stopped.png"

shopt -s nullglob
files=("$FOLDER"/*.mrec)
[ ${#files[@]} -eq 1 ] || give_up "expected one recording in $FOLDER, found ${#files[@]}"
first="${files[0]}"
name="$(basename "$first")"
[[ "$name" =~ ^ESPERO_1\.5\ MPFI\ DOHC\ до\ 92г_[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}-[0-9]{2}-[0-9]{2}\.mrec$ ]] &&
    pass "named $name" || fail "unexpected name $name"
"$RECINFO" "$first" >"$RUN/first.txt"
rc=$?
cat "$RUN/first.txt" >&2
[ "$rc" -eq 0 ] && [ "$(info "$RUN/first.txt" truncated)" = 0 ] &&
    pass "the recording opens whole" || fail "recinfo exit $rc on $first"
polls="$(info "$RUN/first.txt" polls)"
good="$(info "$RUN/first.txt" good)"
# About 8 polls a second at 8200 baud: 30 s recorded plus the 5 s before.
[ "${polls:-0}" -ge 200 ] && [ "${good:-0}" -ge $((polls * 9 / 10)) ] &&
    pass "$polls polls, $good good" || fail "polls $polls, good $good"
start_ms="$(info "$RUN/first.txt" record_start_ms)"
[ "${start_ms:-0}" -ge 3000 ] && [ "$(info "$RUN/first.txt" first_poll_ms)" -lt 1000 ] &&
    pass "the minutes before come first (recording started at ${start_ms} ms)" ||
    fail "no pre-roll: record_start_ms=$start_ms"
[ "$(info "$RUN/first.txt" link_start)" = 0 ] && [ "$(info "$RUN/first.txt" link_stop)" = 1 ] &&
    pass "STOP while recording is in the timeline" || fail "link events wrong"
grep -q '^code 1\.7 ' "$RUN/first.txt" && grep -q '^code 1\.0 ' "$RUN/first.txt" &&
    pass "trouble codes 1.7 and 1.0 appeared" || fail "codes missing"
[ "$(info "$RUN/first.txt" markers)" -ge 4 ] &&
    grep -q '^marker [0-9]* at_ms=[0-9]* появился код 1\.7' "$RUN/first.txt" &&
    pass "markers: the codes' own, the button's and the key's" || fail "markers missing"
[ "$(info "$RUN/first.txt" commands_confirmed)" -ge 1 ] &&
    pass "the fan command with its confirmation" || fail "no confirmed command"
grep -q '^segment 1 .*family=1 .*car=ESPERO .*port=COM1 baud=8200' "$RUN/first.txt" &&
    pass "the header names car, family, port and baud" || fail "header wrong"

# What was recorded is what the simulator sent: the replies byte for byte against its tx
# lines, and the standard CSV export against the decoding tables of tools/oracle applied
# to the simulator's own frames (the copy has an ASCII name for Wine's command line).
cp "$first" "$RUN/first.mrec"
check_recording "the first recording" "$RUN/first.mrec"
if wine "$EXE" --export-csv "$(wine_path "$RUN/first.mrec")" "$(wine_path "$RUN/first.csv")" \
    --standard >"$RUN/export.out" 2>/dev/null; then
    pass "--export-csv wrote the first recording"
else
    fail "--export-csv failed: $(cat "$RUN/export.out")"
fi
python3 "$(dirname "$0")/recording_vs_simulator.py" 1 "$MOTOSKOP_ECUSIM_LOG" \
    "$RUN/first.mrec" "$RUN/first.csv" >"$RUN/compare.txt" 2>&1
rc=$?
sed 's/^\(PASS\|FAIL\) /\1 recording: /' "$RUN/compare.txt"
if [ "$rc" -ne 0 ]; then
    grep -q '^FAIL' "$RUN/compare.txt" && E2E_FAILED=1 || fail "the comparison stopped (exit $rc)"
fi
grep -q '^figures .* first_at_simulator_poll=1 ' "$RUN/compare.txt" &&
    pass "the recording begins with the simulator's first poll (the minutes before)" ||
    fail "the recording does not begin with the first poll: $(grep '^figures' "$RUN/compare.txt")"

# The second run records from START and is killed in the middle.
click CLOSE
wait_for 10 ended "$APP_PID"
sims_before="$(ecusim_polls)"
start_program --port COM1 --record --connect || give_up "no window (second run)"
sleep 8
import -window root "$SHOTS/second.png"
sims_at_kill="$(ecusim_polls)"
kill -9 "$APP_EXE_PID"
wait_for 5 ended "$APP_EXE_PID"
files=("$FOLDER"/*.mrec)
second=""
for f in "${files[@]}"; do [ "$f" = "$first" ] || second="$f"; done
[ -n "$second" ] || give_up "the second run left no recording"
"$RECINFO" "$second" >"$RUN/second.txt"
rc=$?
cat "$RUN/second.txt" >&2
check_recording "what the killed run left" "$second" --cut-ok
sent=$((sims_at_kill - sims_before))
kept="$(info "$RUN/second.txt" polls)"
last_ms="$(info "$RUN/second.txt" last_poll_ms)"
first_ms="$(info "$RUN/second.txt" first_poll_ms)"
# Polls a second as this run went, and the polls of its last second.
rate=$(((kept * 1000 + 999) / (last_ms - first_ms + 1) + 1))
[ "$rc" -eq 0 ] && pass "what the killed run left opens (truncated $(info "$RUN/second.txt" truncated))" ||
    fail "recinfo exit $rc after kill -9"
[ "$kept" -ge $((sent - rate - 2)) ] && [ "$kept" -le "$sent" ] &&
    pass "$kept of $sent polls kept after kill -9 (at most a second, $rate polls, lost)" ||
    fail "$kept of $sent polls kept after kill -9 (a second is $rate polls)"
[ "$(info "$RUN/second.txt" record_start)" = 1 ] && [ "$(info "$RUN/second.txt" link_start)" = 1 ] &&
    pass "--record --connect records from START" || fail "second run's events wrong"
exit "$E2E_FAILED"
