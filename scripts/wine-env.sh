# The Wine + Xvfb + simulator harness. Source it; do not run it (it sources scripts/lib.sh
# and scripts/positions.sh when they are not loaded yet).
#
#   wine_env             export WINEPREFIX (build/wineprefix unless MOTOSKOP_WINEPREFIX is set),
#                        WINEDEBUG=-all, WINEDLLOVERRIDES; create the prefix once
#   ensure_display       start a private Xvfb when DISPLAY is unset (on a display number the
#                        X server finds free, so that harnesses started at once never collide;
#                        its screen also in a file, MOTOSKOP_SCREEN, for pixel and area_hash;
#                        1024x768x24 unless MOTOSKOP_XVFB_SCREEN says otherwise)
#   clone_wineprefix FROM TO   a copy of a prefix with COM ports of its own (scripts/lanes.sh)
#   start_ecusim [opts]  simulator on a new pty mapped to COM1 (fast: --pace off unless given),
#                        or to COMn with ECUSIM_COM=n (one of HARNESS_COM_PORTS);
#                        exports MOTOSKOP_ECUSIM_CONTROL, MOTOSKOP_ECUSIM_LOG, MOTOSKOP_ECUSIM_PTY
#   stop_ecusim          stop it again (its port left unmapped)
#   ecusim_ctl CMD...    append a control command and wait until the simulator has applied it
#   ecusim_polls         how many polls the simulator has received so far
#   map_com N TARGET     point COMn at a device (a pty, /dev/ttyUSB0 ...)
#   unmap_com N          make COMn a port that cannot be opened
#   start_bg NAME CMD... run a command in the background and remember its PID for cleanup
#   harness_cleanup      kill what this shell started (by PID, newest first; its own Xvfb only
#                        once the prefix's Wine session has ended); the EXIT trap of harness_trap
#
# Driving the program (tests/e2e, scripts/demo, bench):
#   e2e_begin NAME       the opening of every end-to-end test: cleanup trap, prefix, display;
#                        sets EXE (motoskop.exe) and RUN (this run's directory); pass/fail/check
#                        then print the result lines "PASS NAME: ..." / "FAIL NAME: ..."
#   e2e_results NAME     only those result lines, for a test that starts no Wine (a build, a
#                        check of files)
#   start_program [ARGS] motoskop.exe in the background (Russian locale: MOTOSKOP_LOCALE=ru_RU.UTF-8
#                        unless set); waits for its window; sets APP_PID (the wine launcher),
#                        APP_WINDOW (the X window) and APP_EXE_PID (the Wine process that runs
#                        motoskop.exe: the one to read /proc of); returns 1 when no window came
#   cpu_ticks PID        CPU time of a process so far (utime + stime from /proc, clock ticks)
#   wineserver_pid       the PID of this prefix's wineserver (empty when none runs)
#   click/press/release/centre/area NAME   the buttons by name (scripts/positions.sh)
#   program_windows      how many windows titled MOTOSKOP are shown
#   pixel X Y [PNG]      #RRGGBB of a screen pixel (or of a screenshot's)
#   area_change A B GEOMETRY   how many pixels of a WxH+X+Y area differ between two screenshots
#   wait_for SECONDS CMD...    run CMD every 0.1 s until it succeeds (1 when it never did):
#                        wait for the event a step needs instead of sleeping a guessed time
#   area_hash GEOMETRY, button_face NAME   a hash of what a screen area or a button shows now
#   drawn NAME, window_drawn   a button / the main window's buttons are painted
#   ended PID            the process is gone
#   check_recording WHAT FILE [--cut-ok] [--frames F]   a recording read by the independent
#                        reader tests/e2e/mrec_reader.py and compared with recinfo's reading
#
# COM ports: the prefix's registry (HKLM\Software\Wine\Ports) maps COM1..COM8 and COM12 (a port
# beyond the first eight, as USB adapters get) to the links <prefix>/ports/comN, and
# dosdevices/comN point at those. Every registered port is present to the program (Wine lists
# it in HKLM\HARDWARE\DEVICEMAP\SERIALCOMM); an unmapped one cannot be opened. Wine's mount manager rewrites
# dosdevices/comN at start-up whenever a host serial port (/dev/ttyS0 ...) exists, so the
# registry is what makes a mapping stick; the harness then only moves ports/comN around.

declare -F log >/dev/null || source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
declare -F click >/dev/null || source "$(dirname "${BASH_SOURCE[0]}")/positions.sh"

HARNESS_PIDS=()
HARNESS_RUN=""
HARNESS_COM_PORTS=(1 2 3 4 5 6 7 8 12)
# The screen probes run often: Debian's python3 itself, not a wrapper found first on the PATH.
SCREEN_PYTHON=/usr/bin/python3
[ -x "$SCREEN_PYTHON" ] || SCREEN_PYTHON=python3

wine_env() {
    export WINEPREFIX="${MOTOSKOP_WINEPREFIX:-$BUILD/wineprefix}"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINE_PORTS="$WINEPREFIX/ports"
    ensure_wineprefix
}

ensure_wineprefix() {
    [[ "$WINEPREFIX" == "$HOME/.wine" ]] && die "refusing to use the personal prefix $WINEPREFIX"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "creating the Wine prefix $WINEPREFIX (once)"
        mkdir -p "$WINEPREFIX"
        # Wine registers the display and its OpenGL driver on the first start with an X
        # display; without one, the first programs of the next run get no OpenGL context.
        ensure_display
        wineboot -i >/dev/null 2>&1 || die "wineboot failed"
        # The new prefix is ours alone: let its first start-up finish completely.
        wineserver -w
    fi
    mkdir -p "$WINE_PORTS"
    if [ ! -f "$WINE_PORTS/.registered" ]; then
        local reg="$WINE_PORTS/ports.reg" n
        {
            printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\r\n'
            for n in "${HARNESS_COM_PORTS[@]}"; do
                printf '"COM%s"="%s"\r\n' "$n" "$WINE_PORTS/com$n"
            done
        } >"$reg"
        wine regedit /S "$(wine_path "$reg")" >/dev/null 2>&1 || die "cannot register the COM ports"
        # The running wineserver listed the serial ports (SERIALCOMM) before these were
        # registered: restart it so that the program finds them present.
        wineserver -k 2>/dev/null || true
        touch "$WINE_PORTS/.registered" "$WINE_PORTS/.registered-com12"
    elif [ ! -f "$WINE_PORTS/.registered-com12" ]; then
        # A prefix made before COM12 was registered: add it, and restart this prefix's
        # wineserver so that its serial driver lists the new port.
        log "registering COM12 in $WINEPREFIX (once)"
        wine reg add 'HKLM\Software\Wine\Ports' /v COM12 /d "$WINE_PORTS/com12" /f >/dev/null 2>&1 ||
            die "cannot register COM12"
        wineserver -k 2>/dev/null || true
        touch "$WINE_PORTS/.registered-com12"
    fi
    mkdir -p "$WINE_PORTS/nowhere"
    local n
    for n in "${HARNESS_COM_PORTS[@]}"; do
        [ "$(readlink "$WINEPREFIX/dosdevices/com$n" 2>/dev/null)" = "$WINE_PORTS/com$n" ] ||
            ln -sfn "$WINE_PORTS/com$n" "$WINEPREFIX/dosdevices/com$n"
        [ -L "$WINE_PORTS/com$n" ] || unmap_com "$n"
    done
}

# clone_wineprefix FROM TO: TO becomes a copy of the prefix FROM with COM ports of its own (its
# registry maps COMn to TO/ports/comN, every one unmapped). Nothing may run in FROM meanwhile.
# The Windows system folders (most of a prefix's 700 MB, never written once the prefix is made)
# are hard links to FROM's files; everything else is copied.
clone_wineprefix() {
    local from="$1" to="$2" n pattern dir shared=(drive_c/windows/system32 drive_c/windows/winsxs)
    # A Wine update rewrites the system folders in place: let it do so in FROM, once.
    if [ "$(tr -d '\r\n' <"$from/.update-timestamp" 2>/dev/null)" != "$(stat -c %Y "$(wine_inf)" 2>/dev/null)" ]; then
        WINEPREFIX="$from" wineboot -u >/dev/null 2>&1
        WINEPREFIX="$from" wineserver -w
    fi
    rm -rf "$to"
    mkdir -p "$to"
    (cd "$from" && tar "${shared[@]/#/--exclude=./}" -cf - .) | (cd "$to" && tar -xf -) || return 1
    for dir in "${shared[@]}"; do
        [ -d "$from/$dir" ] || continue
        cp -al "$from/$dir" "$to/$dir" 2>/dev/null || cp -a "$from/$dir" "$to/$dir" || return 1
    done
    pattern="$(printf '%s' "$from/ports/" | sed 's/[][\.*^$|]/\\&/g')"
    sed -i "s|$pattern|$to/ports/|g" "$to/system.reg" || return 1
    mkdir -p "$to/ports/nowhere"
    for n in "${HARNESS_COM_PORTS[@]}"; do
        ln -sfn "$to/ports/nowhere" "$to/ports/com$n"
        ln -sfn "$to/ports/com$n" "$to/dosdevices/com$n"
    done
}

# The wine.inf whose time a prefix keeps in .update-timestamp.
wine_inf() {
    local f
    for f in /usr/share/wine/wine.inf /usr/lib/wine/wine.inf /usr/local/share/wine/wine.inf; do
        [ -f "$f" ] && { echo "$f"; return 0; }
    done
    return 1
}

# A Unix path as a Windows program under Wine names it.
wine_path() { printf 'Z:%s' "${1//\//\\}"; }

map_com() { ln -sfn "$2" "$WINE_PORTS/com$1"; }
# Wine opens a missing or dangling COMn as its default serial device, so an unmapped port
# points at a directory: opening it fails (access denied), as a port that is not there.
unmap_com() { ln -sfn "$WINE_PORTS/nowhere" "$WINE_PORTS/com$1"; }

start_bg() {
    local name="$1"
    shift
    "$@" &
    HARNESS_PIDS+=("$!")
    log "started $name (pid $!)"
}

ensure_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    # The X server picks a display nobody holds and says which (-displayfd): two harnesses
    # starting at once cannot take the same one. Its screen is also a file (-fbdir, in memory
    # where there is /dev/shm): pixel and area_hash read it there without asking the server.
    local said i n="" shm=/dev/shm
    [ -d "$shm" ] && [ -w "$shm" ] || shm="${TMPDIR:-/tmp}"
    said="$(mktemp "${TMPDIR:-/tmp}/motoskop-display.XXXXXX")"
    HARNESS_FBDIR="$(mktemp -d "$shm/motoskop-screen.XXXXXX")"
    Xvfb -displayfd 3 -screen 0 "${MOTOSKOP_XVFB_SCREEN:-1024x768x24}" -nolisten tcp -fbdir "$HARNESS_FBDIR" 3>"$said" \
        >/dev/null 2>&1 &
    HARNESS_PIDS+=("$!")
    HARNESS_XVFB_PID=$!
    for i in $(seq 1 200); do
        n="$(head -n 1 "$said")"
        [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ] && break
        kill -0 "$HARNESS_XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$said"
    [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ] || die "Xvfb did not start"
    export DISPLAY=":$n"
    export MOTOSKOP_XVFB=1
    screen_file "$HARNESS_FBDIR/Xvfb_screen0"
    log "Xvfb on $DISPLAY"
}

# screen_file XWD: read the screen from that file (an Xvfb -fbdir screen of 32-bit pixels) from
# now on; exports MOTOSKOP_SCREEN="FILE OFFSET STRIDE" for the programs this shell starts.
screen_file() {
    local f
    # The header's 25 big-endian numbers: its size, ..., bits per pixel (12th), bytes per line
    # (13th), ..., colour map entries written (20th); the pixels follow header and colour map.
    read -r -a f < <(od -An -v -t u1 -N 100 "$1" 2>/dev/null | tr -s ' \n' ' ' |
        awk '{ for (i = 1; i + 3 <= NF; i += 4) printf "%d ", (($i * 256 + $(i + 1)) * 256 + $(i + 2)) * 256 + $(i + 3) }') ||
        : # no newline at the end: read says so, under set -e too (scripts/guide-shots)
    [ "${#f[@]}" -eq 25 ] && [ "${f[11]}" = 32 ] || return 0
    export MOTOSKOP_SCREEN="$1 $((f[0] + 12 * f[19])) ${f[12]}"
}

# The run directory of this harness (control file, log, screenshots), made by harness_trap;
# removed by the cleanup unless MOTOSKOP_KEEP_RUN is set.
harness_make_run_dir() {
    if [ -z "$HARNESS_RUN" ]; then
        mkdir -p "$BUILD"
        HARNESS_RUN="$(mktemp -d "$BUILD/run.XXXXXX")"
    fi
}
harness_run_dir() {
    harness_make_run_dir
    printf '%s' "$HARNESS_RUN"
}

start_ecusim() {
    local exe="${MOTOSKOP_ECUSIM:-$BUILD/native/ecusim}"
    [ -x "$exe" ] || die "no simulator at $exe (build it first)"
    harness_make_run_dir
    local run="$HARNESS_RUN"
    export MOTOSKOP_ECUSIM_CONTROL="$run/ecusim.control"
    export MOTOSKOP_ECUSIM_LOG="$run/ecusim.log"
    local pace=(--pace off)
    case " $* " in *" --pace "*) pace=() ;; esac
    local com="${ECUSIM_COM:-1}"
    HARNESS_UNMAP_COM="$com"
    "$exe" --link "$WINE_PORTS/com$com" --control "$MOTOSKOP_ECUSIM_CONTROL" \
        --log "$MOTOSKOP_ECUSIM_LOG" "${pace[@]}" "$@" >"$run/ecusim.out" 2>"$run/ecusim.err" &
    HARNESS_PIDS+=("$!")
    ECUSIM_PID=$!
    local i
    # Up to 15 s: on a machine busy with the other lanes' builds and programs the simulator
    # can take seconds to make its pty.
    for i in $(seq 1 300); do
        [ -L "$WINE_PORTS/com$com" ] && grep -q '^pty ' "$run/ecusim.out" 2>/dev/null && break
        kill -0 "$ECUSIM_PID" 2>/dev/null || { cat "$run/ecusim.err" >&2; die "ecusim exited"; }
        sleep 0.05
    done
    MOTOSKOP_ECUSIM_PTY="$(awk '/^pty /{print $2}' "$run/ecusim.out")"
    export MOTOSKOP_ECUSIM_PTY
    [ -n "$MOTOSKOP_ECUSIM_PTY" ] || die "ecusim did not report its pty"
    log "ecusim (pid $ECUSIM_PID) on $MOTOSKOP_ECUSIM_PTY as COM$com"
}

# Stops the simulator start_ecusim started and leaves its port unmapped.
stop_ecusim() {
    [ -n "${ECUSIM_PID:-}" ] || return 0
    { kill "$ECUSIM_PID" 2>/dev/null && wait "$ECUSIM_PID" 2>/dev/null; } || true
    local kept=() pid
    for pid in "${HARNESS_PIDS[@]}"; do [ "$pid" = "$ECUSIM_PID" ] || kept+=("$pid"); done
    HARNESS_PIDS=("${kept[@]}")
    ECUSIM_PID=""
    unmap_com "${HARNESS_UNMAP_COM:-1}"
    HARNESS_UNMAP_COM=""
    return 0
}

ECUSIM_MARK=0
ecusim_ctl() {
    ECUSIM_MARK=$((ECUSIM_MARK + 1))
    local mark="sh-$$-$ECUSIM_MARK" i
    printf '%s\nmark %s\n' "$*" "$mark" >>"$MOTOSKOP_ECUSIM_CONTROL"
    for i in $(seq 1 200); do
        grep -qx "ctl mark $mark" "$MOTOSKOP_ECUSIM_LOG" 2>/dev/null && return 0
        sleep 0.01
    done
    log "ecusim did not confirm: $*"
    return 1
}

harness_cleanup() {
    local i pid
    for ((i = ${#HARNESS_PIDS[@]} - 1; i >= 0; i--)); do
        pid="${HARNESS_PIDS[$i]}"
        # Our display goes last, once Wine has shut the prefix's session down: its desktop
        # process (explorer.exe) still holds a connection to it until then, and a display
        # taken from under it makes it print "X connection to :N broken".
        if [ "$pid" = "${HARNESS_XVFB_PID:-}" ] && [ -n "${WINEPREFIX:-}" ]; then
            if [ -n "${HARNESS_END_WINE:-}" ]; then
                wineserver -k 2>/dev/null # a prefix of this harness alone (a lane's)
            else
                timeout 20 wineserver -w 2>/dev/null
            fi
        fi
        { kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; } || true
    done
    HARNESS_XVFB_PID=""
    HARNESS_PIDS=()
    if [ -n "${HARNESS_FBDIR:-}" ]; then rm -rf "$HARNESS_FBDIR"; fi
    HARNESS_FBDIR=""
    if [ -n "${HARNESS_UNMAP_COM:-}" ]; then unmap_com "$HARNESS_UNMAP_COM"; fi
    HARNESS_UNMAP_COM=""
    if [ -n "$HARNESS_RUN" ] && [ -z "${MOTOSKOP_KEEP_RUN:-}" ]; then rm -rf "$HARNESS_RUN"; fi
    HARNESS_RUN=""
    return 0
}

harness_trap() {
    harness_make_run_dir
    trap 'harness_cleanup' EXIT
    trap 'exit 130' INT TERM
}

ecusim_polls() { grep -c '^rx F4 56 01 B5$' "$MOTOSKOP_ECUSIM_LOG" 2>/dev/null || true; }

# How many of the program's windows are shown (the main window and any secondary one).
program_windows() { xdotool search --onlyvisible --name '^MOTOSKOP$' 2>/dev/null | wc -l; }

# The opening of every end-to-end test (tests/e2e/NAME.sh):
#     source "$(dirname "$0")/../../scripts/wine-env.sh"
#     e2e_begin NAME
e2e_begin() {
    e2e_results "$1"
    harness_trap
    wine_env
    ensure_display
    EXE="${MOTOSKOP_EXE:-$BUILD/win/motoskop.exe}"
    RUN="$(harness_run_dir)"
    [ -f "$EXE" ] || { echo "FAIL $E2E_NAME: no $EXE"; exit 1; }
}

e2e_results() {
    E2E_NAME="$1"
    E2E_FAILED=0
}

# Result lines; fail also sets E2E_FAILED=1 (a test may `exit "$E2E_FAILED"`).
pass() { echo "PASS $E2E_NAME: $*"; }
fail() {
    echo "FAIL $E2E_NAME: $*"
    E2E_FAILED=1
}
check() { # check WHAT COMMAND...: one PASS or FAIL line
    local what="$1"
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

# wait_for SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; 1 when it never did.
wait_for() {
    local end=$((SECONDS + $1))
    shift
    while :; do
        "$@" && return 0
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.1
    done
}

# area_hash GEOMETRY: a hash of what a WxH+X+Y area of the screen shows now; button_face NAME:
# of a button's area (scripts/positions.sh).
area_hash() {
    if [ -n "${MOTOSKOP_SCREEN:-}" ]; then
        "$SCREEN_PYTHON" "$ROOT/scripts/screen.py" hash "$1"
    else
        import -window root -crop "$1" -depth 8 rgb:- 2>/dev/null | md5sum | cut -c1-32
    fi
}
button_face() { area_hash "$(area "$1")"; }
# drawn NAME: the button shows its picture (an area not painted yet is of one or two colours).
drawn() {
    local n
    if [ -n "${MOTOSKOP_SCREEN:-}" ]; then
        n="$("$SCREEN_PYTHON" "$ROOT/scripts/screen.py" colours "$(area "$1")")"
    else
        n="$(import -window root -crop "$(area "$1")" +repage -format '%k' info:- 2>/dev/null)"
    fi
    [ "${n:-0}" -gt 4 ] 2>/dev/null
}
# window_drawn: the main window has painted its buttons (it takes clicks from then on).
window_drawn() { drawn START && drawn ERROR && drawn TEST; }
ended() { ! kill -0 "$1" 2>/dev/null; }

# check_recording WHAT FILE [--cut-ok] [--frames FRAMES]: the recording read by the independent
# reader tests/e2e/mrec_reader.py (the format's rules; with --cut-ok a last record cut short
# is fine; FRAMES: recgen's log of the polls) and compared with what the program's own
# reader, build/native/recinfo, reads in it. Result lines "NAME: WHAT: ...".
check_recording() {
    local what="$1" file="$2" recinfo="${MOTOSKOP_RECINFO:-$BUILD/native/recinfo}" base
    shift 2
    [ -x "$recinfo" ] || build_native recinfo >/dev/null
    harness_make_run_dir
    base="$(mktemp "$HARNESS_RUN/recinfo.XXXXXX")"
    "$recinfo" "$file" >"$base.summary" 2>&1
    "$recinfo" --polls "$file" >"$base.polls" 2>&1
    python3 "$ROOT/tests/e2e/mrec_reader.py" check "$E2E_NAME" "$file" --label "$what" \
        --recinfo "$base.summary" --recinfo-polls "$base.polls" "$@" || E2E_FAILED=1
}

# start_program [ARGS...]: motoskop.exe under Wine in the background, then up to 40 s for its
# window titled MOTOSKOP to be shown (a first start builds the settings tree first).
start_program() {
    # A Russian user's PC unless told otherwise: the readout's decimal separator follows it.
    start_bg motoskop env LC_ALL="${MOTOSKOP_LOCALE:-ru_RU.UTF-8}" \
        wine "${EXE:-${MOTOSKOP_EXE:-$BUILD/win/motoskop.exe}}" "$@"
    APP_PID=$!
    APP_WINDOW=""
    APP_EXE_PID=""
    local i
    for i in $(seq 1 160); do
        APP_WINDOW="$(xdotool search --onlyvisible --name '^MOTOSKOP$' 2>/dev/null | head -1)"
        if [ -n "$APP_WINDOW" ]; then
            APP_EXE_PID="$(exe_process "$APP_PID")"
            return 0
        fi
        kill -0 "$APP_PID" 2>/dev/null || return 1
        sleep 0.25
    done
    return 1
}

# exe_process LAUNCHER: the process that runs motoskop.exe, the launcher itself once it has
# become the Windows process or a descendant of it (wine starts it through its loader).
exe_process() {
    local f pid p
    for f in /proc/[0-9]*/comm; do
        [ "$(cat "$f" 2>/dev/null)" = "motoskop.exe" ] || continue
        pid="${f#/proc/}"
        pid="${pid%/comm}"
        p="$pid"
        while [ -n "$p" ] && [ "$p" -gt 1 ]; do
            [ "$p" = "$1" ] && { echo "$pid"; return 0; }
            p="$(awk '{print $4}' "/proc/$p/stat" 2>/dev/null)"
        done
    done
    return 1
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }

# This prefix's wineserver works in a directory named server-DEV-INODE of the prefix.
wineserver_pid() {
    local dir pid
    dir="server-$(stat -c '%D' "$WINEPREFIX")-$(printf '%x' "$(stat -c '%i' "$WINEPREFIX")")"
    for pid in $(pgrep wineserver); do
        case "$(readlink "/proc/$pid/cwd")" in */"$dir") echo "$pid" ;; esac
    done
}

# pixel X Y [PNG]: the colour #RRGGBB of a pixel of the screen, or of a screenshot.
pixel() {
    if [ -n "${3:-}" ]; then
        convert "$3" -crop "1x1+$1+$2" +repage -depth 8 txt:-
    elif [ -n "${MOTOSKOP_SCREEN:-}" ]; then
        local file offset stride
        read -r file offset stride <<<"$MOTOSKOP_SCREEN"
        # Pixels are stored blue, green, red, unused.
        od -An -v -t x1 -j $((offset + $2 * stride + $1 * 4)) -N 3 "$file" |
            awk '{ printf "#%s%s%s\n", toupper($3), toupper($2), toupper($1) }'
        return
    else
        import -window root -crop "1x1+$1+$2" -depth 8 txt:-
    fi | tail -1 | grep -o '#[0-9A-F]\{6\}'
}

# area_change A.png B.png WxH+X+Y: how many pixels of that area differ between two screenshots.
area_change() {
    harness_make_run_dir
    convert "$1" -crop "$3" +repage "$HARNESS_RUN/area-a.png" &&
        convert "$2" -crop "$3" +repage "$HARNESS_RUN/area-b.png" &&
        compare -metric AE "$HARNESS_RUN/area-a.png" "$HARNESS_RUN/area-b.png" null: 2>&1 | cut -d' ' -f1
}
