#!/usr/bin/env bash
# The close button ends the program within a second: once while the link thread
# sits in a 710 ms read (no adapter answers), once after START and STOP (the
# thread suspended). Prints how long the process took to go.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
source "$ROOT/scripts/wine-env.sh"
harness_trap
wine_env
ensure_display

EXE="${MOTOSKOP_EXE:-$BUILD/win/motoskop.exe}"
[ -f "$EXE" ] || { echo "FAIL shutdown: no $EXE"; exit 1; }
start_ecusim --family 1 --fault silent

# The window sits at the screen's top-left; these are window coordinates.
click() { xdotool mousemove "$1" "$2" mousedown 1 sleep 0.1 mouseup 1; }
START_STOP=(532 409)
CLOSE=(785 6)

polls() { grep -c '^rx F4 56 01 B5$' "$MOTOSKOP_ECUSIM_LOG" 2>/dev/null || true; }

# close_within CASE PID: click close, print the time until the process is gone.
close_within() {
    local what="$1" pid="$2" t0 ms
    xdotool mousemove "${CLOSE[@]}" mousedown 1
    sleep 0.1
    xdotool mouseup 1
    t0=$(date +%s%N)
    for _ in $(seq 1 500); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.01
    done
    ms=$((($(date +%s%N) - t0) / 1000000))
    if kill -0 "$pid" 2>/dev/null; then
        echo "FAIL shutdown $what: still running ${ms} ms after the close button"
        kill "$pid" 2>/dev/null
        return
    fi
    echo "shutdown $what: process gone ${ms} ms after the close button"
    if [ "$ms" -lt 1000 ]; then
        echo "PASS shutdown $what (${ms} ms)"
    else
        echo "FAIL shutdown $what: ${ms} ms (more than a second)"
    fi
}

for what in in-read suspended; do
    start_bg motoskop wine "$EXE"
    pid=$!
    found=""
    for _ in $(seq 1 120); do
        xdotool search --name '^MOTOSKOP$' >/dev/null 2>&1 && { found=1; break; }
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.25
    done
    [ -n "$found" ] || { echo "FAIL shutdown $what: no window"; continue; }
    sleep 1
    before="$(polls)"
    click "${START_STOP[@]}" # START
    # Two unanswered polls: the thread is in its third 710 ms read.
    for _ in $(seq 1 60); do
        [ $(($(polls) - before)) -ge 2 ] && break
        sleep 0.1
    done
    if [ $(($(polls) - before)) -lt 2 ]; then
        echo "FAIL shutdown $what: the link thread did not poll"
        kill "$pid" 2>/dev/null
        continue
    fi
    if [ "$what" = suspended ]; then
        click "${START_STOP[@]}" # STOP: the read ends, the port closes, the thread suspends
        sleep 1.5
        settled="$(polls)"
        sleep 1
        # Only a note: another program under the same prefix may have opened this COM1.
        [ "$(polls)" = "$settled" ] || echo "note: polls still arrive after STOP"
    else
        sleep 0.3
    fi
    close_within "$what" "$pid"
    wait "$pid" 2>/dev/null
done
