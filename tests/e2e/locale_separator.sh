#!/usr/bin/env bash
# The readout's decimal separator follows the user's locale: the main window built under a
# Russian locale takes the comma, under an English one the point (Wine takes the user's
# locale from LC_ALL/LANG, installed on the host or not).
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
source "$ROOT/scripts/wine-env.sh"
harness_trap
wine_env
ensure_display

EXE="$BUILD/win/win_locale_separator.exe"
[ -f "$EXE" ] || die "no $EXE (build the Windows tests first)"
status=0
for pair in "ru_RU.UTF-8 ," "en_US.UTF-8 ."; do
    read -r locale separator <<<"$pair"
    if out="$(LC_ALL="$locale" LANG="$locale" MOTOSKOP_EXPECT_DECIMAL="$separator" \
        timeout 120 wine "$EXE" 2>&1)" && grep -q 'PASSED' <<<"$out"; then
        echo "PASS decimal separator '$separator' under $locale"
    else
        echo "FAIL decimal separator under $locale: $(grep -E '^locale|Failure|Expected|Which' <<<"$out" | tr '\n' ' ')"
        status=1
    fi
done
exit "$status"
