#!/usr/bin/env bash
# motoskop.exe starts under Wine, shows its window titled MOTOSKOP, can be photographed,
# and ends when its process is ended.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_begin window_smoke
start_ecusim --family 1

start_program || { fail "no window titled MOTOSKOP"; exit 1; }
window="$APP_WINDOW"
pass "window $window"

wait_for 10 window_drawn
shot="$RUN/window_smoke.png"
if import -window "$window" "$shot" 2>/dev/null && [ -s "$shot" ]; then
    size="$(identify -format '%wx%h' "$shot" 2>/dev/null)"
    colours="$(convert "$shot" -format '%k' info: 2>/dev/null)"
    # A drawn window, not an empty rectangle.
    if [ "${colours:-0}" -gt 8 ]; then
        pass "screenshot $size, $colours colours"
    else
        fail "screenshot is blank ($colours colours)"
    fi
    mkdir -p "$BUILD/screenshots" && cp "$shot" "$BUILD/screenshots/window_smoke.png"
else
    fail "no screenshot"
fi

kill "$APP_PID" 2>/dev/null
for _ in $(seq 1 40); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.25; done
if kill -0 "$APP_PID" 2>/dev/null; then
    fail "process did not end"
else
    pass "process ended"
fi
