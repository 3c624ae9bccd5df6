# The Wine + Xvfb + simulator harness. Source it (after scripts/lib.sh); do not run it.
#
#   wine_env             export WINEPREFIX (build/wineprefix unless MOTOSKOP_WINEPREFIX is set),
#                        WINEDEBUG=-all, WINEDLLOVERRIDES; create the prefix once
#   ensure_display       start a private Xvfb when DISPLAY is unset
#   start_ecusim [opts]  simulator on a new pty mapped to COM1 (fast: --pace off unless given),
#                        or to COMn with ECUSIM_COM=n (one of HARNESS_COM_PORTS);
#                        exports MOTOSKOP_ECUSIM_CONTROL, MOTOSKOP_ECUSIM_LOG, MOTOSKOP_ECUSIM_PTY
#   stop_ecusim          stop it again (its port left unmapped)
#   ecusim_ctl CMD...    append a control command and wait until the simulator has applied it
#   map_com N TARGET     point COMn at a device (a pty, /dev/ttyUSB0 ...)
#   unmap_com N          make COMn a port that cannot be opened
#   start_bg NAME CMD... run a command in the background and remember its PID for cleanup
#   harness_cleanup      kill what this shell started (by PID, newest first); installed as an
#                        EXIT trap by harness_trap
#
# COM ports: the prefix's registry (HKLM\Software\Wine\Ports) maps COM1..COM8 and COM12 (a port
# beyond the first eight, as USB adapters get) to the links <prefix>/ports/comN, and
# dosdevices/comN point at those. Every registered port is present to the program (Wine lists
# it in HKLM\HARDWARE\DEVICEMAP\SERIALCOMM); an unmapped one cannot be opened. Wine's mount manager rewrites
# dosdevices/comN at start-up whenever a host serial port (/dev/ttyS0 ...) exists, so the
# registry is what makes a mapping stick; the harness then only moves ports/comN around.

HARNESS_PIDS=()
HARNESS_RUN=""
HARNESS_COM_PORTS=(1 2 3 4 5 6 7 8 12)

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
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    HARNESS_PIDS+=("$!")
    local i
    for i in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.05
    done
    [ -e "/tmp/.X11-unix/X$n" ] || die "Xvfb :$n did not start"
    export DISPLAY=":$n"
    export MOTOSKOP_XVFB=1
    log "Xvfb on $DISPLAY"
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
    for i in $(seq 1 100); do
        [ -L "$WINE_PORTS/com$com" ] && [ -s "$run/ecusim.out" ] && break
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
        { kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; } || true
    done
    HARNESS_PIDS=()
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
