#!/usr/bin/env bash
# motoskop.exe starts under Wine, shows its window titled MOTOSKOP, can be photographed,
# and ends when its process is ended.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
source "$ROOT/scripts/wine-env.sh"
harness_trap
wine_env
ensure_display

EXE="${MOTOSKOP_EXE:-$BUILD/win/motoskop.exe}"
[ -f "$EXE" ] || { echo "FAIL window_smoke: no $EXE"; exit 1; }
RUN="$(harness_run_dir)"
start_ecusim --family 1

start_bg motoskop wine "$EXE"
APP_PID=$!
window=""
for _ in $(seq 1 120); do
    window="$(xwininfo -root -tree 2>/dev/null | grep -E '"MOTOSKOP": ' | head -1 | awk '{print $1}')"
    [ -n "$window" ] && break
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.25
done
if [ -z "$window" ]; then
    echo "FAIL window_smoke: no window titled MOTOSKOP"
    exit 1
fi
echo "PASS window_smoke: window $window"

sleep 1
shot="$RUN/window_smoke.png"
if import -window "$window" "$shot" 2>/dev/null && [ -s "$shot" ]; then
    size="$(identify -format '%wx%h' "$shot" 2>/dev/null)"
    colours="$(convert "$shot" -format '%k' info: 2>/dev/null)"
    # A drawn window, not an empty rectangle.
    if [ "${colours:-0}" -gt 8 ]; then
        echo "PASS window_smoke: screenshot $size, $colours colours"
    else
        echo "FAIL window_smoke: screenshot is blank ($colours colours)"
    fi
    mkdir -p "$BUILD/screenshots" && cp "$shot" "$BUILD/screenshots/window_smoke.png"
else
    echo "FAIL window_smoke: no screenshot"
fi

kill "$APP_PID" 2>/dev/null
for _ in $(seq 1 40); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.25; done
if kill -0 "$APP_PID" 2>/dev/null; then
    echo "FAIL window_smoke: process did not end"
else
    echo "PASS window_smoke: process ended"
fi
