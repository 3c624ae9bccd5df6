# What the long runs (bench/soak, bench/fault_storm, bench/adapter_pulled) share. Source it
# after scripts/wine-env.sh.
#
#   start_program ARGS...  start motoskop.exe (MOTOSKOP_EXE or build/win) in the background
#                          with ARGS, wait for its window; sets PROGRAM (the pid of the Wine
#                          process that runs it, for /proc) and LAUNCHER
#   cpu_ticks PID          its CPU time so far (utime + stime, in clock ticks)
#   click NAME             press and release a button by name
#
# Buttons by name, in client pixels of the main window at the screen's top-left (the
# secondary windows are centred on it):
#   start (START/STOP)  error  test  colours  about  close
#   set1 .. set12       arrow1-  arrow1+ .. arrow4-  arrow4+
#   sub_exit  sub_reset   (exit and reset/return of the trouble-code or actuator window)

# button_xy NAME: prints "X Y", the middle of the button.
button_xy() {
    local n
    case "$1" in
    start) echo "532 409" ;;
    error) echo "628 409" ;;
    test) echo "724 409" ;;
    colours) echo "518 359" ;;
    about) echo "737 359" ;;
    close) echo "785 6" ;;
    set[0-9] | set1[0-2])
        n="${1#set}"
        echo "$((484 + 24 * (n - 1) + 11)) 22"
        ;;
    arrow1-) echo "411 22" ;;
    arrow1+) echo "435 22" ;;
    arrow2-) echo "412 149" ;;
    arrow2+) echo "436 149" ;;
    arrow3-) echo "412 277" ;;
    arrow3+) echo "436 277" ;;
    arrow4-) echo "412 405" ;;
    arrow4+) echo "436 405" ;;
    sub_exit) echo "$((138 + 493 + 13)) $((103 + 342 + 9))" ;;
    sub_reset) echo "$((138 + 168 + 13)) $((103 + 342 + 9))" ;;
    *) return 1 ;;
    esac
}

# click NAME: press, hold briefly, release (the release acts).
click() {
    local xy
    xy="$(button_xy "$1")" || { echo "click: no button $1" >&2; return 1; }
    # shellcheck disable=SC2086
    xdotool mousemove $xy mousedown 1 sleep 0.1 mouseup 1
}

descends_from() { # descends_from PID ANCESTOR
    local p="$1"
    while [ -n "$p" ] && [ "$p" -gt 1 ]; do
        [ "$p" = "$2" ] && return 0
        p="$(awk '{print $4}' "/proc/$p/stat" 2>/dev/null)"
    done
    return 1
}

# The process that runs motoskop.exe: the launcher once it has become the Windows process,
# or a descendant of it.
find_program() {
    local f pid
    for f in /proc/[0-9]*/cmdline; do
        pid="${f#/proc/}"
        pid="${pid%/cmdline}"
        [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "motoskop.exe" ] || continue
        descends_from "$pid" "$1" && { echo "$pid"; return 0; }
    done
    return 1
}

start_program() {
    start_bg motoskop wine "${MOTOSKOP_EXE:-$BUILD/win/motoskop.exe}" "$@" \
        2>"$(harness_run_dir)/wine.err"
    LAUNCHER=$!
    local i
    for i in $(seq 1 120); do
        xdotool search --name '^MOTOSKOP$' >/dev/null 2>&1 && break
        sleep 0.25
    done
    PROGRAM="$(find_program "$LAUNCHER")" || die "cannot find the process of motoskop.exe"
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
