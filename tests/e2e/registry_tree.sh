#!/usr/bin/env bash
# The settings tree the real program builds and reads, seen from outside with
# Wine's reg tool: HKCU\MOTOSKOP is deleted (the next start is a first start),
# the program is started and ended, and the exported tree is checked key by key;
# a second start adds the sixteen colour defaults; values changed with
# "wine reg add" while the program is closed come back on the next start.
# The tree is left as a normal start leaves it (COM1, default colours).
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_begin registry_tree
KEY='HKCU\MOTOSKOP'

# Starts the program, waits for its window, optionally photographs it, ends it.
run_program() { # run_program [SHOT]
    local started pid
    started=$(date +%s%N)
    start_program || { fail "no window titled MOTOSKOP"; return 1; }
    pid=$APP_PID
    log "window after $((($(date +%s%N) - started) / 1000000)) ms"
    if [ -n "${1:-}" ]; then
        sleep 1.5 # the panels paint
        import -window root -crop 800x572+0+0 +repage "$1"
    fi
    kill "$pid" 2>/dev/null
    for _ in $(seq 1 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
    ! kill -0 "$pid" 2>/dev/null || { fail "the program did not end"; return 1; }
}

# The tree (or one key of it) as UTF-8 text without CRs.
export_tree() { # export_tree KEY FILE
    local raw="$2.utf16"
    rm -f "$raw"
    local try
    for try in 1 2 3; do
        wine reg export "$1" "$(wine_path "$raw")" /y >"$2.err" 2>&1 && break
        [ "$try" = 3 ] && { cat "$2.err" >&2; return 1; }
        sleep 1
    done
    iconv -f UTF-16 -t UTF-8 "$raw" | tr -d '\r' >"$2"
}
value_of() { # value_of FILE NAME -> the dword's hex digits
    grep -E "^\"$2\"=" "$1" | head -1 | sed -E 's/.*=dword:([0-9a-f]+)/\1/'
}

# 1. First start: the whole tree, zeros everywhere, no colours.
wine reg delete "$KEY" /f >/dev/null 2>&1
run_program || exit 1
export_tree "$KEY" "$RUN/first.txt" || { fail "cannot export $KEY"; exit 1; }
# The keys the program creates are those that hold values (\CARS, \Com, twelve
# ENGINE keys, 420 graph sets); the export also lists the keys on their paths
# (\MOTOSKOP, twelve cars, 35 engines).
keys=$(awk '/^\[/{if (k) print k, n; k=$0; n=0} /^"/{n++} END{print k, n}' "$RUN/first.txt" |
    awk '$NF > 0' | wc -l)
all=$(grep -c '^\[' "$RUN/first.txt")
values=$(grep -c '^"' "$RUN/first.txt")
check "434 keys hold values after a first start ($keys; $all keys in all)" [ "$keys" -eq 434 -a "$all" -eq 482 ]
check "1694 values after a first start ($values)" [ "$values" -eq 1694 ]
cars="$(grep -oE '^\[HKEY_CURRENT_USER\\MOTOSKOP\\CARS\\[^\\]+\]$' "$RUN/first.txt" |
    sed -E 's/.*\\([^\\]+)\]$/\1/' | tr '\n' ' ')"
check "car keys in their own case: $cars" \
    [ "$cars" = "ESPERO Lanos Leganza Leman Magnus Matiz Nexia NexiaUZ Nubira NubiraII Prince Rezzo " ]
check "key names as written (Com, ENGINE, SET_GRAF)" grep -qxF \
    '[HKEY_CURRENT_USER\MOTOSKOP\CARS\Leganza\ENGINE\2.2_DOHC\SET_GRAF7]' "$RUN/first.txt"
grep -qxF '[HKEY_CURRENT_USER\MOTOSKOP\Com]' "$RUN/first.txt" || fail "no key MOTOSKOP\\Com"
sets=$(grep -cE '\\SET_GRAF([1-9]|1[0-2])\]$' "$RUN/first.txt")
check "420 graph sets ($sets)" [ "$sets" -eq 420 ]
cars0="$(value_of "$RUN/first.txt" Cars)"
port0="$(value_of "$RUN/first.txt" ComPort)"
check "Cars=0, ComPort=0 ($cars0, $port0)" [ "$cars0" = 00000000 -a "$port0" = 00000000 ]
grafs=$(grep -cE '^"Graf[1-4]"=dword:00000000$' "$RUN/first.txt")
other=$(grep -E '^"' "$RUN/first.txt" | grep -vcE '=dword:00000000$')
check "1680 Graf values, all 0 ($grafs; $other values not a zero dword)" \
    [ "$grafs" -eq 1680 -a "$other" -eq 0 ]
engs=$(grep -cE '^"Eng[A-Za-z]+"=dword:00000000$' "$RUN/first.txt")
check "twelve engine-choice values ($engs)" [ "$engs" -eq 12 ]
colours=$(grep -cE '^"(GRID|Text|Text3|GRAPHIC)_' "$RUN/first.txt")
check "no colour value after a first start ($colours)" [ "$colours" -eq 0 ]

# 2. Second start: the sixteen colour defaults, nothing else new.
run_program "$RUN/second.png" || exit 1
export_tree "$KEY\\Com" "$RUN/com.txt" || { fail "cannot export $KEY\\Com"; exit 1; }
# The export lists values by name, not in the order they were written.
expected='ComPort=0 GRAPHIC_B=0 GRAPHIC_G=0 GRAPHIC_R=99 GRAPHIC_T=99 GRID_B=70 GRID_G=70 GRID_R=50 GRID_T=30 Text3_B=30 Text3_G=70 Text3_R=80 Text3_T=80 Text_B=90 Text_G=60 Text_R=40 Text_T=80 '
got="$(grep -E '^"' "$RUN/com.txt" | sed -E 's/^"([^"]+)"=dword:([0-9a-f]+)$/\1 \2/' | LC_ALL=C sort |
    while read -r name hex; do printf '%s=%d ' "$name" "$((16#$hex))"; done)"
check "second start writes the sixteen colour defaults: $got" [ "$got" = "$expected" ]
export_tree "$KEY" "$RUN/second.txt" && values=$(grep -c '^"' "$RUN/second.txt")
check "1710 values after a second start ($values)" [ "$values" -eq 1710 ]

# 3. Port and grid changed while the program is closed.
wine reg add "$KEY\\Com" /v ComPort /t REG_DWORD /d 5 /f >/dev/null 2>&1 &&
    wine reg add "$KEY\\Com" /v GRID_T /t REG_DWORD /d 0 /f >/dev/null 2>&1 ||
    fail "wine reg add"
run_program "$RUN/third.png" || exit 1
export_tree "$KEY\\Com" "$RUN/third.txt" || fail "cannot export $KEY\\Com"
port5="$(value_of "$RUN/third.txt" ComPort)"
grid0="$(value_of "$RUN/third.txt" GRID_T)"
check "a start keeps what it read (ComPort=$port5, GRID_T=$grid0)" [ "$port5" = 00000005 -a "$grid0" = 00000000 ]
port=$(area_change "$RUN/second.png" "$RUN/third.png" 50x16+730+548)
check "the port label changed (Com-1 -> Com-6: $port pixels)" [ "${port:-0}" -gt 10 ]
grid=$(area_change "$RUN/second.png" "$RUN/third.png" 432x105+12+32)
check "the grid of graph 1 is gone ($grid pixels changed)" [ "${grid:-0}" -gt 100 ]
same=$(area_change "$RUN/second.png" "$RUN/third.png" 257x16+288+548)
check "the rest of the bottom bar is unchanged ($same pixels)" [ "${same:-1}" -eq 0 ]
mkdir -p "$BUILD/screenshots" && cp "$RUN/second.png" "$BUILD/screenshots/registry_tree_defaults.png" &&
    cp "$RUN/third.png" "$BUILD/screenshots/registry_tree_com6_nogrid.png"

# Back to a standard tree for whatever starts the program next.
wine reg add "$KEY\\Com" /v ComPort /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$KEY\\Com" /v GRID_T /t REG_DWORD /d 30 /f >/dev/null 2>&1
exit 0
