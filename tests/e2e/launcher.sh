#!/usr/bin/env bash
# The Linux launcher scripts/motoskop: its messages and exit codes for a missing device, a
# file that is no serial port, a device the user may not open (the dialout group), a missing
# Wine; and a run with the simulator's pty as the adapter, which polls from COM1.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_begin launcher

LAUNCHER="$ROOT/scripts/motoskop"
expect_run() { # expect_run WHAT EXPECTED_CODE CODE OUTPUT PATTERN...
    local what="$1" want="$2" got="$3" out="$4" pattern
    shift 4
    if [ "$got" != "$want" ]; then
        fail "$what: exit $got, not $want: $out"
        return
    fi
    for pattern in "$@"; do
        if ! grep -qF -- "$pattern" <<<"$out"; then
            fail "$what: no \"$pattern\" in: $out"
            return
        fi
    done
    pass "$what"
}

out="$("$LAUNCHER" --port /dev/ttyUSB_motoskop_missing 2>&1)"
expect_run "missing device" 3 $? "$out" "устройство /dev/ttyUSB_motoskop_missing не найдено" "ls /dev/ttyUSB*"

touch "$RUN/not-a-port"
out="$("$LAUNCHER" --port "$RUN/not-a-port" 2>&1)"
expect_run "a plain file is no port" 3 $? "$out" "не символьное устройство"

out="$("$LAUNCHER" --port 2>&1)"
expect_run "--port without a device" 2 $? "$out" "после --port нужно указать устройство"

# A device of the dialout group (a copy of /dev/null's node), tried by a user outside it.
if [ "$(id -u)" = 0 ] && mknod "$RUN/ttyFAKE0" c 1 3 2>/dev/null; then
    chgrp dialout "$RUN/ttyFAKE0" && chmod 660 "$RUN/ttyFAKE0" && chmod 755 "$RUN"
    out="$(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/nonexistent \
        "$LAUNCHER" --port "$RUN/ttyFAKE0" 2>&1)"
    expect_run "no access: join dialout" 4 $? "$out" "нет доступа к $RUN/ttyFAKE0" \
        "sudo usermod -aG dialout nobody" "войдите в систему заново"
else
    pass "no-access message not checked (needs root to make a device node)"
fi

# No Wine on the PATH: only the tools the launcher needs before it looks for Wine.
mkdir -p "$RUN/bin"
for tool in bash dirname realpath stat id grep tr cut getent; do
    ln -sf "$(command -v "$tool")" "$RUN/bin/$tool"
done
out="$(PATH="$RUN/bin" "$LAUNCHER" 2>&1)"
expect_run "no Wine" 5 $? "$out" "Wine не установлен"

# The first run sets up a prefix of the user's own with COM1 registered; the second reuses it.
fresh="$RUN/user-prefix"
out="$(MOTOSKOP_WINEPREFIX="$fresh" MOTOSKOP_EXE="$EXE" timeout 240 "$LAUNCHER" --version 2>&1)"
expect_run "first run sets up the prefix and runs the program" 0 $? "$out" "первый запуск" "MOTOSKOP "
registered="$(WINEPREFIX="$fresh" wine reg query 'HKLM\Software\Wine\Ports' /v COM1 2>/dev/null | tr -d '\r')"
expect_run "the prefix maps COM1 through its ports/com1 link" 0 0 "$registered" "$fresh/ports/com1"
out="$(MOTOSKOP_WINEPREFIX="$fresh" MOTOSKOP_EXE="$EXE" timeout 120 "$LAUNCHER" --version 2>&1)"
if grep -q "первый запуск" <<<"$out"; then
    fail "the second run set the prefix up again"
else
    pass "the second run reuses the prefix"
fi
WINEPREFIX="$fresh" wineserver -k 2>/dev/null || true

# A real run: the simulator's pty as the adapter, this harness's prefix as the user's.
ECUSIM_COM=12 start_ecusim --family 1
MOTOSKOP_WINEPREFIX="$WINEPREFIX" MOTOSKOP_EXE="$EXE" \
    "$LAUNCHER" --port "$MOTOSKOP_ECUSIM_PTY" --connect >"$RUN/launcher.out" 2>&1 &
HARNESS_PIDS+=("$!")
trap 'unmap_com 1; harness_cleanup' EXIT
polled=0
for _ in $(seq 1 60); do
    grep -q 'rx F4 56 01 B5' "$MOTOSKOP_ECUSIM_LOG" 2>/dev/null && { polled=1; break; }
    sleep 0.5
done
if [ "$polled" = 1 ] && grep -q "COM1 -> $MOTOSKOP_ECUSIM_PTY" "$RUN/launcher.out"; then
    pass "the launcher maps the device as COM1 and the program polls it"
else
    fail "launcher run: polled=$polled, output: $(cat "$RUN/launcher.out")"
fi
exit "$E2E_FAILED"
