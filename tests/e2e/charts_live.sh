#!/usr/bin/env bash
# The charts live: motoskop.exe against the paced simulator (family 1, a cold engine
# warming up). Graph set 1 of the first ESPERO engine is prepared in the registry
# (MAP, FREQ, TWAT, UBAT) and graph 4 is stepped once with its right arrow (UO2SENS).
# After START and 25 s of data the screenshot must show in each of the four charts a
# red trace, the blue scale labels and the gold value text, the traces must move, and
# the received-data panel must show bars of different heights. Then the colour window:
# the grid stored brighter than standard goes back to standard on "Стандртные
# настройки" and "Выход", on screen and in the registry. Screenshots go to $SHOTS.
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_begin charts_live
SHOTS="${SHOTS:-$RUN}"

SET1='HKEY_CURRENT_USER\MOTOSKOP\CARS\ESPERO\ENGINE\1.5_MPFI_DOHC_1\SET_GRAF1'
COM='HKEY_CURRENT_USER\MOTOSKOP\Com'
shot() { import -window root "$SHOTS/$1.png"; }
ppm() { convert "$SHOTS/$1.png" ppm:-; }
reg_dword() { # reg_dword KEY VALUE -> decimal, or nothing
    local hex
    hex="$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        awk -v v="$2" '$1 == v && $2 == "REG_DWORD" { print $3 }')"
    [ -n "$hex" ] && echo $((hex))
    return 0
}

# A first start creates the whole settings tree (before it shows its window); only then is
# set 1 worth preparing.
if ! wine reg query 'HKEY_CURRENT_USER\MOTOSKOP' >/dev/null 2>&1; then
    start_program || true
    kill "$APP_PID" 2>/dev/null || true
    wait_for 10 ended "$APP_PID" || true
fi
# What this test changes in the shared prefix is put back at its end.
wine reg export "$SET1" "$(wine_path "$RUN/set1-before.reg")" /y >/dev/null 2>&1 || true
wine reg export "$COM" "$(wine_path "$RUN/com-before.reg")" /y >/dev/null 2>&1 || true
restore_registry() {
    local f
    for f in "$RUN/set1-before.reg" "$RUN/com-before.reg"; do
        [ -s "$f" ] && wine regedit /S "$(wine_path "$f")" >/dev/null 2>&1
    done
    return 0
}
trap 'restore_registry; harness_cleanup' EXIT
{
    printf 'REGEDIT4\r\n\r\n[%s]\r\n' "$SET1"
    printf '"Graf1"=dword:%08x\r\n"Graf2"=dword:%08x\r\n"Graf3"=dword:%08x\r\n"Graf4"=dword:%08x\r\n' \
        16 9 27 28
    printf '\r\n[%s]\r\n"ComPort"=dword:00000000\r\n' "$COM"
    # Standard colours but a brighter grid (GRID_T 60 instead of 30).
    for pair in GRID_R:50 GRID_G:70 GRID_B:70 GRID_T:60 Text_R:40 Text_G:60 Text_B:90 Text_T:80 \
        Text3_R:80 Text3_G:70 Text3_B:30 Text3_T:80 GRAPHIC_R:99 GRAPHIC_G:0 GRAPHIC_B:0 GRAPHIC_T:99; do
        printf '"%s"=dword:%08x\r\n' "${pair%%:*}" "${pair##*:}"
    done
} >"$RUN/prepare.reg"
wine regedit /S "$(wine_path "$RUN/prepare.reg")" >/dev/null 2>&1 ||
    { fail "cannot prepare the registry"; exit 1; }

# Pixel counts over screenshots (a small PPM reader; no imaging modules needed).
cat >"$RUN/probe.py" <<'PY'
import math, statistics, sys

def load(path):
    data = open(path, "rb").read()
    fields, pos = [], 0
    while len(fields) < 4:  # P6 width height maxval
        while data[pos:pos + 1].isspace(): pos += 1
        end = pos
        while not data[end:end + 1].isspace(): end += 1
        fields.append(data[pos:end]); pos = end
    return int(fields[1]), data[pos + 1:]

def rgb(img, x, y):
    i = (y * img[0] + x) * 3
    return img[1][i], img[1][i + 1], img[1][i + 2]

def count(img, x0, y0, w, h, test):
    return sum(1 for y in range(y0, y0 + h) for x in range(x0, x0 + w) if test(*rgb(img, x, y)))

def differ(a, b, x0, y0, w, h):
    return sum(1 for y in range(y0, y0 + h) for x in range(x0, x0 + w)
               if max(abs(p - q) for p, q in zip(rgb(a, x, y), rgb(b, x, y))) > 40)

TOPS = (32, 160, 288, 416)

def grid_level(img):
    # Green of the vertical grid lines 20..200 between the horizontal lines, in all
    # four charts (the trace is pure red); the median ignores what crosses them.
    half_y = 150 * math.tan(math.radians(10))
    half_x = half_y * 432 / 105
    levels = []
    for top in TOPS:
        for gx in range(20, 201, 20):
            col = 12 + int(((gx - 110) / half_x + 1) / 2 * 432)
            for gy in (5, 15, 25, 35, 45):
                row = top + int(105 - ((gy - 26) / half_y + 1) / 2 * 105)
                levels.append(max(rgb(img, x, row)[1] for x in range(col - 1, col + 2)))
    return int(statistics.median(levels))

if sys.argv[1] == "grid":
    print(grid_level(load(sys.argv[2])))
    sys.exit()
one, two = load(sys.argv[1]), load(sys.argv[2])
red = lambda r, g, b: r > 150 and g < 90 and b < 90
gold = lambda r, g, b: r > 120 and g > 90 and b < 110 and r >= g
blue = lambda r, g, b: b > 100 and b > r + 20
for k, top in enumerate(TOPS):
    print("chart%d red=%d gold=%d labels=%d moved=%d" % (
        k + 1, count(one, 12, top, 432, 105, red), count(one, 50, top + 15, 380, 60, gold),
        count(one, 12, top, 30, 15, blue) + count(one, 12, top + 90, 30, 15, blue),
        differ(one, two, 12, top, 432, 105)))
# Received-data panel 488,440 279x81: bar pixels in its lower and upper halves.
bar = lambda r, g, b: g > 90 and g > r and g > b
print("bars low=%d high=%d" % (count(one, 495, 480, 265, 38, bar), count(one, 495, 442, 265, 36, bar)))
PY

start_ecusim --family 1 --pace on
start_program || { fail "no window titled MOTOSKOP"; exit 1; }
wait_for 10 window_drawn || true

caption4="$(area_hash 380x13+8+401)" # graph 4's caption
caption_changed() { [ "$(area_hash 380x13+8+401)" != "$caption4" ]; }
click GRAPH4_NEXT # UBAT (28) -> UO2SENS (29)
wait_for 3 caption_changed || true
click START
sleep 25
shot live1
sleep 1.5
shot live2

figures="$(python3 "$RUN/probe.py" <(ppm live1) <(ppm live2))"
echo "$figures"
field() {
    awk -v key="$1" -v f="$2" '$1 == key {
        for (i = 2; i <= NF; i++) { split($i, kv, "="); if (kv[1] == f) print kv[2] } }' <<<"$figures"
}

for k in 1 2 3 4; do
    c="chart$k"
    [ "$(field "$c" red)" -gt 80 ] || fail "$c: no trace ($(field "$c" red) red pixels)"
    [ "$(field "$c" gold)" -gt 40 ] || fail "$c: no value text ($(field "$c" gold) gold pixels)"
    [ "$(field "$c" labels)" -gt 10 ] || fail "$c: no scale labels ($(field "$c" labels) blue pixels)"
done
moved=0
for k in 1 2 3 4; do
    if [ "$(field "chart$k" moved)" -gt 20 ]; then moved=$((moved + 1)); fi
done
[ "$moved" -ge 3 ] || fail "the charts did not move in 1.5 s (only $moved of 4 changed)"
[ "$E2E_FAILED" = 0 ] && pass "four charts with trace, labels and value text; $moved of 4 moved"
low="$(field bars low)" high="$(field bars high)"
if [ "$low" -gt 100 ] && [ "$high" -gt 20 ]; then
    pass "received-data bars ($low low, $high high pixels)"
else
    fail "received-data bars missing or flat ($low low, $high high pixels)"
fi
polls="$(ecusim_polls)"
if [ "$polls" -ge 100 ]; then pass "$polls polls answered"; else fail "only $polls polls in 28 s"; fi
graf4="$(reg_dword "$SET1" Graf4)"
if [ "$graf4" = 29 ]; then
    pass "graph 4 stepped to UO2SENS by its arrow"
else
    fail "graph 4's arrow did not store Graf4 = 29 (${graf4:-none})"
fi

# The colour window over the running charts: standard colours, then exit.
# Under Wine without a window manager, showing and hiding a window reaches the X
# server up to about two seconds later; wait for the colour window's X state.
colour_window() { # colour_window IsViewable|IsUnMapped: wait for that state
    local id state
    for _ in $(seq 1 40); do
        id="$(xwininfo -root -children | awk '/"MOTOSKOP".* 524x365\+/ { print $1; exit }')"
        state="$([ -n "$id" ] && xwininfo -id "$id" | awk '/Map State/ { print $3 }')"
        [ "${state:-IsUnMapped}" = "$1" ] && return 0
        sleep 0.2
    done
    return 1
}
click COLOURS
colour_window IsViewable || fail "the colour window did not open"
wait_for 5 drawn COLOURS_EXIT || true
shot colours_open
colour_area="$(area_hash 524x365+138+103)"
colours_changed() { [ "$(area_hash 524x365+138+103)" != "$colour_area" ]; }
click COLOURS_STANDARD
wait_for 3 colours_changed || true
click COLOURS_EXIT
colour_window IsUnMapped || fail "the colour window did not close"
before="$(python3 "$RUN/probe.py" grid <(ppm live1))"
# The charts show the standard grid from their next repaint on.
standard_grid_shown() {
    shot colours_closed
    after="$(python3 "$RUN/probe.py" grid <(ppm colours_closed))"
    [ "$after" -lt "$before" ]
}
wait_for 3 standard_grid_shown || true
if [ "$after" -lt "$before" ] && [ "$after" -gt 10 ]; then
    pass "standard grid on screen (grid green $before -> $after)"
else
    fail "the grid did not return to standard (grid green $before -> $after)"
fi
grid_t="$(reg_dword "$COM" GRID_T)" graphic_r="$(reg_dword "$COM" GRAPHIC_R)"
if [ "$grid_t" = 30 ] && [ "$graphic_r" = 99 ]; then
    pass "standard colours in the registry"
else
    fail "registry GRID_T=${grid_t:-none} GRAPHIC_R=${graphic_r:-none}"
fi
# The main window takes input again: STOP answers (its red lamp goes out).
lamp_out() { local c; c="$(pixel 497 409)"; [ $((16#${c:1:2})) -lt 180 ]; }
click START
wait_for 3 lamp_out || true
shot stopped
lamp() { pixel 497 409 "$SHOTS/$1.png"; }
on="$(lamp colours_closed)" off="$(lamp stopped)"
if [ $((16#${on:1:2})) -gt 180 ] && [ $((16#${off:1:2})) -lt 180 ]; then
    pass "main window enabled after Выход (lamp $on -> $off)"
else
    fail "STOP did not answer after the colour window (lamp $on -> $off)"
fi

mkdir -p "$BUILD/screenshots" && cp "$SHOTS/live1.png" "$BUILD/screenshots/charts_live.png"
exit "$E2E_FAILED"
