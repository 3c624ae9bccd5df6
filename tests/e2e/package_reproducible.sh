#!/usr/bin/env bash
# Two builds of the release archive from the same commit are byte-identical: one made by
# scripts/package in a fresh build directory elsewhere (a full build in another path), the
# other from what is built already: build/win's motoskop.exe when no tracked file is changed
# (scripts/test has just built it from these sources, in this path, with the tests beside it),
# else scripts/package's own build directory (incremental). Both reuse the cross-built libjpeg.
# Also: the archive holds the exe, the documentation and SHA256SUMS that match, and the exe
# carries no link time. Starts no Wine: only the result lines of the harness.
# harness: beside
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_results package_reproducible
RUN="$(mktemp -d "$BUILD/package-test.XXXXXX")"
trap 'rm -rf "$RUN"' EXIT

if [ -z "$(git -C "$ROOT" status --porcelain --untracked-files=no)" ] && [ -f "$BUILD/win/Makefile" ] &&
    cmake --build "$BUILD/win" --target motoskop >"$RUN/win.log" 2>&1; then
    first="build/win's motoskop.exe"
    "$ROOT/scripts/package" --out "$RUN/a" --exe "$BUILD/win/motoskop.exe" >"$RUN/a.log" 2>&1
else
    first="an incremental build in build/package"
    "$ROOT/scripts/package" --out "$RUN/a" >"$RUN/a.log" 2>&1
fi || { fail "package from $first: $(tail -5 "$RUN/a.log")"; exit 1; }
"$ROOT/scripts/package" --out "$RUN/b" --build-dir "$RUN/fresh" >"$RUN/b.log" 2>&1 ||
    { fail "package run in a fresh directory: $(tail -5 "$RUN/b.log")"; exit 1; }
a="$(ls "$RUN"/a/motoskop-*-win64.zip)"
b="$(ls "$RUN"/b/motoskop-*-win64.zip)"
if cmp -s "$a" "$b"; then
    pass "a fresh build elsewhere gives the $(basename "$a") of $first ($(stat -c %s "$a") bytes)"
else
    fail "the archive of a fresh build differs from the one of $first: $(cmp "$a" "$b" | head -1)"
fi

mkdir -p "$RUN/x" && (cd "$RUN/x" && unzip -q "$a")
if (cd "$RUN/x/motoskop" && sha256sum --quiet -c SHA256SUMS) && [ -f "$RUN/x/motoskop/motoskop.exe" ] &&
    grep -q 'motoskop.exe' "$RUN/x/motoskop/SHA256SUMS" && [ -f "$RUN/x/motoskop/docs/command-line.md" ] && grep -q '<img src="guide/' "$RUN/x/motoskop/docs/guide.html" &&
    [ -f "$RUN/x/motoskop/docs/guide/main-connected.png" ]; then
    pass "the archive holds the exe, the guide as HTML with its pictures, and matching SHA256SUMS"
else
    fail "archive contents: $(unzip -l "$a" | tail -n +4)"
fi
version="$(awk '$2 == "MOTOSKOP_VERSION_MAJOR" { M = $3 } $2 == "MOTOSKOP_VERSION_MINOR" { m = $3 }
    END { print M "." m }' "$ROOT/startup/Version.h")"
[ "$(basename "$a")" = "motoskop-$version-win64.zip" ] && pass "the archive is named for version $version" ||
    fail "archive name $(basename "$a") for version $version"
stamp="$(x86_64-w64-mingw32-objdump -p "$RUN/x/motoskop/motoskop.exe" | awk -F'\t' '/^Time\/Date/ { print $NF }')"
[[ "$stamp" == *1970* ]] && pass "the exe has no link time" || fail "the exe's link time is $stamp"
exit "$E2E_FAILED"
