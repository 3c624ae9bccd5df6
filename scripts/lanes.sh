# Parallel lanes for scripts/test. Source it after scripts/wine-env.sh; do not run it.
#
# A lane runs one test at a time and shares nothing with the other lanes: its own Wine prefix
# (build/lanes/<k>/wineprefix, a fresh copy of build/wineprefix made by lanes_prepare at the
# start of every run, so its own registry and COM ports), its own Xvfb display (a free one
# the X server picks) and, for the Windows tests, its own simulator on its COM1, reset before
# each exe. The lanes take their jobs from one queue, longest first (the durations of the last
# run in build/test-durations, else tests/durations.txt; a job known to neither goes first),
# so that the run ends about when its longest job does.
#
#   lanes_prepare N          N lane prefixes (after wine_env has made build/wineprefix)
#   lanes_run KIND NAME...   the jobs in the lanes, back when all are done. KIND win:
#                            build/win/NAME.exe; KIND e2e: tests/e2e/NAME.sh. Each job leaves
#                            $LOGS/<log>.log and $LOGS/<log>.result "PASSED FAILED SECONDS"
#                            (<log>: NAME for win, e2e-NAME for e2e)
#   beside_start NAME...     e2e jobs that start no Wine (a build, a check of files), run one
#                            after the other beside the lanes on the CPU they leave (the idle
#                            scheduling class, nice 10; twice MOTOSKOP_E2E_TIMEOUT), at normal
#                            priority again once the lanes are done (where that is allowed)
#   beside_wait              back when those are done
#   job_passed/job_failed LOG   a job's counts from its .result (a job without one failed)
#
# Counting: a Windows exe counts each gtest case once; an exe that dies or hangs without its
# gtest summary, or exits non-zero with no failed case, adds one failure. An e2e script counts
# its "PASS ..." / "FAIL ..." lines; one that prints none counts as one test (passed when it
# exits 0); a non-zero exit without a FAIL line adds one failure.

LANES=0
LANES_DIR="$BUILD/lanes"
DURATIONS="$BUILD/test-durations"
BESIDE_PID=""

lanes_prepare() {
    local k
    LANES="$1"
    # What a program still running in the template has not written to its registry files yet.
    timeout 30 wineserver -w 2>/dev/null
    for k in $(seq 1 "$LANES"); do
        clone_wineprefix "$WINEPREFIX" "$LANES_DIR/$k/wineprefix" || die "cannot make lane $k's prefix"
    done
}

# The names, longest first by the durations known; unknown ones first, then by name.
lanes_order() { # lanes_order LOGPREFIX NAME...
    local prefix="$1" f
    shift
    {
        for f in "$DURATIONS" "$ROOT/tests/durations.txt"; do [ -f "$f" ] && cat "$f"; done
        echo "--"
        printf '%s\n' "$@"
    } | awk -v prefix="$prefix" '
        !names && $0 == "--" { names = 1; next }
        !names { if ($1 !~ /^#/ && NF == 2 && !($1 in took)) took[$1] = $2; next }
        { print ((prefix $0) in took ? took[prefix $0] : 1e9), $0 }' |
        LC_ALL=C sort -k1,1gr -k2,2 | cut -d' ' -f2
}

# The first name of the queue, taken off it ("" when it is empty).
lanes_next() {
    local name
    {
        flock 9
        name="$(head -n 1 "$1")"
        [ -n "$name" ] && sed -i 1d "$1"
    } 9>>"$1.lock"
    printf '%s' "$name"
}

# Waits for a job started in the background; a signal to the lane ends the job with it.
lanes_wait_job() {
    LANE_JOB_PID="$1"
    wait "$1"
    local rc=$?
    LANE_JOB_PID=""
    return "$rc"
}

lanes_record() { # lanes_record LOG PASSED FAILED SECONDS
    echo "$2 $3 $4" >"$LOGS/$1.result"
}

lanes_job_win() {
    local name="$1" t0=$SECONDS rc ok bad log="$LOGS/$1.log"
    if ! kill -0 "${ECUSIM_PID:-0}" 2>/dev/null; then
        stop_ecusim
        start_ecusim
    fi
    ecusim_ctl reset >/dev/null 2>&1
    timeout 300 wine "$BUILD/win/$name.exe" >"$log" 2>&1 &
    lanes_wait_job $!
    rc=$?
    ok="$(grep -oE '^\[  PASSED  \] [0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)"
    bad="$(grep -oE '^\[  FAILED  \] [0-9]+ tests?,' "$log" | grep -oE '[0-9]+' | tail -1)"
    ok="${ok:-0}"
    bad="${bad:-0}"
    if ! grep -q '^\[==========\] .* ran\.' "$log" || { [ "$rc" -ne 0 ] && [ "$bad" -eq 0 ]; }; then
        bad=$((bad + 1)) # died, hung or failed outside a test case
    fi
    lanes_record "$name" "$ok" "$bad" $((SECONDS - t0))
}

lanes_job_e2e() {
    local name="$1" t0=$SECONDS rc ok bad log="$LOGS/e2e-$1.log" limit="${MOTOSKOP_E2E_TIMEOUT:-300}"
    local run=()
    if [ -n "${LANES_BESIDE:-}" ]; then
        # Beside the lanes: only the CPU they leave (the idle scheduling class where there is
        # one, else nice 10), and so twice the time.
        run=(nice -n 10)
        chrt -i 0 true 2>/dev/null && run=(chrt -i 0 "${run[@]}")
        limit=$((limit * 2))
    fi
    # timeout makes the job a process group of its own: ending it ends everything it started.
    "${run[@]}" timeout "$limit" "$ROOT/tests/e2e/$name.sh" >"$log" 2>&1 &
    [ -n "${LANES_BESIDE:-}" ] && echo "$!" >"$LANES_DIR/beside.job"
    lanes_wait_job $!
    rc=$?
    ok="$(grep -cE '^PASS\b' "$log")"
    bad="$(grep -cE '^FAIL\b' "$log")"
    if [ "$ok" -eq 0 ] && [ "$bad" -eq 0 ]; then
        [ "$rc" -eq 0 ] && ok=1 || bad=1
    elif [ "$rc" -ne 0 ] && [ "$bad" -eq 0 ]; then
        bad=1
    fi
    lanes_record "e2e-$name" "$ok" "$bad" $((SECONDS - t0))
}

# One lane: its prefix, display and (for the Windows tests) simulator, then jobs until the
# queue is empty. Runs in a subshell of its own; what it starts, its cleanup ends.
lanes_worker() { # lanes_worker K KIND QUEUE
    local k="$1" kind="$2" queue="$3" name
    HARNESS_PIDS=()
    HARNESS_RUN=""
    HARNESS_XVFB_PID=""
    HARNESS_UNMAP_COM=""
    ECUSIM_PID=""
    LANE_JOB_PID=""
    HARNESS_END_WINE=1 # the lane's prefix is its own: no program of it outlives the lane
    trap '[ -n "$LANE_JOB_PID" ] && kill "$LANE_JOB_PID" 2>/dev/null; harness_cleanup' EXIT
    trap 'exit 130' INT TERM
    harness_make_run_dir
    export MOTOSKOP_WINEPREFIX="$LANES_DIR/$k/wineprefix"
    unset DISPLAY MOTOSKOP_XVFB MOTOSKOP_SCREEN
    wine_env
    ensure_display
    [ "$kind" = win ] && start_ecusim
    while name="$(lanes_next "$queue")" && [ -n "$name" ]; do
        log "lane $k: $kind $name" 2>&3
        "lanes_job_$kind" "$name"
    done
}

lanes_run() { # lanes_run KIND NAME...
    local kind="$1" queue="$LANES_DIR/$1.queue" prefix="" k pids=()
    shift
    [ "$kind" = e2e ] && prefix="e2e-"
    mkdir -p "$LANES_DIR"
    lanes_order "$prefix" "$@" >"$queue"
    rm -f "$queue.lock"
    for k in $(seq 1 "$LANES"); do
        (lanes_worker "$k" "$kind" "$queue") 3>&2 >"$LOGS/lane-$kind-$k.log" 2>&1 &
        pids+=("$!")
        HARNESS_PIDS+=("$!")
    done
    wait "${pids[@]}"
    local kept=() pid
    for pid in "${HARNESS_PIDS[@]}"; do [[ " ${pids[*]} " == *" $pid "* ]] || kept+=("$pid"); done
    HARNESS_PIDS=("${kept[@]}")
}

beside_start() {
    [ $# -gt 0 ] || return 0
    (
        LANE_JOB_PID=""
        trap '[ -n "$LANE_JOB_PID" ] && kill "$LANE_JOB_PID" 2>/dev/null' EXIT
        trap 'exit 130' INT TERM
        unset DISPLAY
        for name in "$@"; do
            log "beside the lanes: e2e $name"
            LANES_BESIDE=1 lanes_job_e2e "$name"
        done
    ) &
    BESIDE_PID=$!
    HARNESS_PIDS+=("$BESIDE_PID")
}

beside_wait() {
    [ -n "$BESIDE_PID" ] || return 0
    # The lanes are done: the job left may have the CPU as any other (where this user may
    # raise a priority again; otherwise it keeps running on what is idle).
    local pgid pid
    pgid="$(cat "$LANES_DIR/beside.job" 2>/dev/null)"
    if [ -n "$pgid" ]; then
        for pid in $(pgrep -g "$pgid"); do chrt -o -p 0 "$pid" >/dev/null 2>&1; done
        renice -n 0 -g "$pgid" >/dev/null 2>&1
    fi
    wait "$BESIDE_PID"
    local kept=() pid
    for pid in "${HARNESS_PIDS[@]}"; do [ "$pid" = "$BESIDE_PID" ] || kept+=("$pid"); done
    HARNESS_PIDS=("${kept[@]}")
    BESIDE_PID=""
}

job_passed() { local r; read -r r _ <"$LOGS/$1.result" 2>/dev/null && echo "$r" || echo 0; }
job_failed() {
    local p f
    read -r p f _ <"$LOGS/$1.result" 2>/dev/null && echo "$f" || echo 1
}
job_seconds() { local s; read -r _ _ s <"$LOGS/$1.result" 2>/dev/null && echo "$s" || echo 0; }

# Keeps this run's durations for the next run's order (jobs not run this time keep theirs).
lanes_save_durations() {
    local f
    {
        for f in "$LOGS"/*.result; do
            [ -f "$f" ] && echo "$(basename "$f" .result) $(job_seconds "$(basename "$f" .result)")"
        done
        [ ! -f "$DURATIONS" ] || cat "$DURATIONS"
    } | awk '!seen[$1]++' | LC_ALL=C sort >"$DURATIONS.new" && mv "$DURATIONS.new" "$DURATIONS"
}
