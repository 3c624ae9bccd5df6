#!/usr/bin/env bash
# Replay end to end: a recording written by tools/recgen (the simulated engine, a gap
# without answers, markers and a trouble code) is opened as `motoskop.exe <file>`, played,
# stepped and closed; then exported with --export-csv and every row compared with the
# frames recgen wrote; the recording is also read by the independent reader (mrec_reader.py)
# and must hold those frames. Records nothing itself.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_begin replay

RECGEN="$BUILD/native/recgen"
[ -x "$RECGEN" ] || build_native recgen >/dev/null
# ASCII: the harness's Wine may run without a Russian locale, and then a Cyrillic
# argument would not reach the program intact (--export-csv is tried with one below).
REC="$RUN/replay drive.mrec"
FRAMES="$RUN/frames.txt"
"$RECGEN" "$REC" "$FRAMES" 30 || { fail "recgen could not write the recording"; exit 1; }
check_recording "recgen's recording" "$REC" --frames "$FRAMES"

if ! start_program "$(wine_path "$REC")"; then
    fail "motoskop.exe <file> showed no window"
    exit 1
fi
replay_shown() { [ "$(pixel 14 580)" != "#000000" ] && drawn REPLAY_PLAY; }
wait_for 10 replay_shown
import -window root "$RUN/opened.png"
check "the replay window opens under the main window" \
    test "$(pixel 14 580 "$RUN/opened.png")" != "#000000"

# changed_from PNG GEOMETRY: the screen's area differs from that screenshot's (a fresh shot is
# left in $RUN/now.png).
changed_from() {
    import -window root "$RUN/now.png" && [ "$(area_change "$1" "$RUN/now.png" "$2")" -gt "${3:-0}" ]
}
click REPLAY_NEXT_EVENT # START at 0 s ...
click REPLAY_NEXT_EVENT # ... marker 1 at 5 s: the charts refilled with 5 s of history
jumped() {
    changed_from "$RUN/opened.png" 432x105+12+32 50 &&
        [ "$(area_change "$RUN/opened.png" "$RUN/now.png" 204x19+372+594)" -gt 0 ]
}
wait_for 5 jumped
import -window root "$RUN/marker.png"
check "a jump to the marker refills the charts" \
    test "$(area_change "$RUN/opened.png" "$RUN/marker.png" 432x105+12+32)" -gt 50
check "the time label follows the jump" \
    test "$(area_change "$RUN/opened.png" "$RUN/marker.png" 204x19+372+594)" -gt 0

click REPLAY_FASTER
click REPLAY_FASTER
click REPLAY_PLAY
wait_for 5 changed_from "$RUN/marker.png" 432x105+12+32 50
import -window root "$RUN/playing.png"
check "playing at 4x scrolls the charts" \
    test "$(area_change "$RUN/marker.png" "$RUN/playing.png" 432x105+12+32)" -gt 50
click REPLAY_PLAY
click REPLAY_STEP_BACK
wait_for 5 changed_from "$RUN/playing.png" 60x224+706+64
import -window root "$RUN/stepped.png"
check "a step back changes the readout" \
    test "$(area_change "$RUN/playing.png" "$RUN/stepped.png" 60x224+706+64)" -gt 0

click REPLAY_CLOSE
# Wine without a window manager takes about 2 s to hand the activation back.
for _ in $(seq 1 50); do [ "$(program_windows)" -eq 1 ] && break; sleep 0.1; done
check "closing leaves the main window alone" test "$(program_windows)" -eq 1
import -window root "$RUN/closed.png"
check "START can be pressed again" \
    test "$(area_change "$RUN/stepped.png" "$RUN/closed.png" "$(area START)")" -gt 0
check "the received-data panel showed the recorded replies, and empties on closing" \
    test "$(area_change "$RUN/stepped.png" "$RUN/closed.png" 279x81+488+440)" -gt 50
click CLOSE
wait_for 10 ended "$APP_PID"

CSV="$RUN/поездка.csv"
if ! wine "$EXE" --export-csv "$(wine_path "$REC")" "$(wine_path "$CSV")" --standard >"$RUN/export.out" 2>/dev/null; then
    fail "--export-csv failed: $(cat "$RUN/export.out")"
    exit 1
fi
python3 - "$CSV" "$FRAMES" <<'PY'
import csv, sys
rows = list(csv.reader(open(sys.argv[1], encoding="utf-8", newline="")))
frames = [line.split() for line in open(sys.argv[2])]
head, rows = rows[0], rows[1:]
bad = []
def fail(what):
    bad.append(what)
if len(rows) != len(frames):
    fail("%d rows for %d polls" % (len(rows), len(frames)))
fmd = head.index("FMDBYTE1")
codes = head.index("Коды ошибок")
events = head.index("События")
for row, (ms, outcome, data) in zip(rows, frames):
    if row[0] != "%.3f" % (int(ms) / 1000):
        fail("row at %s ms says %s s" % (ms, row[0]))
        break
    if outcome == "1":
        if any(row[2:events]) or "нет ответа" not in row[events]:
            fail("no-answer poll at %s ms: %s" % (ms, row[2:]))
            break
        continue
    reply = bytes.fromhex(data)
    if int(row[fmd]) != reply[61]:
        fail("FMDBYTE1 at %s ms is %s, the frame has %d" % (ms, row[fmd], reply[61]))
        break
    want_code = "1.3" if int(ms) >= 8000 else ""
    if row[codes] != want_code:
        fail("codes at %s ms are %r" % (ms, row[codes]))
        break
marked = [r[events] for r in rows if "метка" in r[events]]
if len(marked) != 3 or "холостой ход" not in marked[0]:
    fail("markers in the event column: %s" % marked)
for b in bad:
    print("FAIL replay: CSV " + b)
if not bad:
    print("PASS replay: the CSV has one row per recorded frame (%d), matching them" % len(rows))
PY
exit $E2E_FAILED
