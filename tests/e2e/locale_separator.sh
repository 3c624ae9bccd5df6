#!/usr/bin/env bash
# The readout's decimal separator follows the user's locale: the main window built under a
# Russian locale takes the comma, under an English one the point (Wine takes the user's
# locale from LC_ALL/LANG, installed on the host or not).
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_begin locale_separator

TEST_EXE="$BUILD/win/win_locale_separator.exe"
[ -f "$TEST_EXE" ] || { fail "no $TEST_EXE (build the Windows tests first)"; exit 1; }
for pair in "ru_RU.UTF-8 ," "en_US.UTF-8 ."; do
    read -r locale separator <<<"$pair"
    if out="$(LC_ALL="$locale" LANG="$locale" MOTOSKOP_EXPECT_DECIMAL="$separator" \
        timeout 120 wine "$TEST_EXE" 2>&1)" && grep -q 'PASSED' <<<"$out"; then
        pass "decimal separator '$separator' under $locale"
    else
        fail "decimal separator under $locale: $(grep -E '^locale|Failure|Expected|Which' <<<"$out" | tr '\n' ' ')"
    fi
done
exit "$E2E_FAILED"
