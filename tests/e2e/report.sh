#!/usr/bin/env bash
# The workshop report end to end: two drives are recorded from the main window against the
# simulated engine of ECU family 1 (the car the program starts with), warm from the start
# (--record FILE --connect, about 35 s each): one with weak charging, one healthy.
# `motoskop.exe --report` then makes the report of each as JSON and as HTML, with no window.
# The JSON must give the charging check «неисправность» on the first drive and no
# «неисправность» anywhere on the healthy one; the HTML must parse into a balanced,
# self-contained page (no script, nothing fetched) whose checks table says the same. A second
# --report onto an existing file must refuse with exit code 3.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
e2e_begin report

RECORD_SECONDS=35
give_up() { fail "$*"; exit 1; }

# record NAME [ecusim options]: a drive of RECORD_SECONDS into $RUN/NAME.mrec.
record() {
    local name="$1"
    shift
    start_ecusim --family 1 --coolant 90 "$@"
    start_program --record "$(wine_path "$RUN/$name.mrec")" --connect ||
        give_up "$name: no window"
    wait_for 10 window_drawn
    local polls
    polls="$(ecusim_polls)"
    sleep "$RECORD_SECONDS"
    [ "$(ecusim_polls)" -gt $((polls + RECORD_SECONDS * 6)) ] ||
        fail "$name: the simulator was polled only $(($(ecusim_polls) - polls)) times"
    click CLOSE
    wait_for 10 ended "$APP_PID"
    stop_ecusim
    [ -s "$RUN/$name.mrec" ] || give_up "$name: no recording at $RUN/$name.mrec"
}

# report NAME EXT: $RUN/NAME.EXT from $RUN/NAME.mrec; the exit code is --report's.
report() {
    wine "$EXE" --report "$(wine_path "$RUN/$1.mrec")" "$(wine_path "$RUN/$1.$2")" \
        >"$RUN/$1-$2.out" 2>/dev/null
}

record weak --engine-fault charging-weak
record healthy

for name in weak healthy; do
    for ext in json html; do
        report "$name" "$ext"
        rc=$?
        [ "$rc" -eq 0 ] && [ -s "$RUN/$name.$ext" ] &&
            pass "--report wrote the $name drive's $ext" ||
            fail "--report $name.$ext: exit $rc, $(cat "$RUN/$name-$ext.out")"
    done
done
cp "$RUN/weak.html" "$RUN/weak-first.html"
report weak html
rc=$?
[ "$rc" -eq 3 ] && cmp -s "$RUN/weak.html" "$RUN/weak-first.html" &&
    pass "a report onto an existing file is refused (exit 3) and the file kept" ||
    fail "a report onto an existing file: exit $rc"

python3 - "$RUN" <<'PY'
import json, sys
from html.parser import HTMLParser

run = sys.argv[1]
failed = False
def check(ok, what):
    global failed
    print(("PASS" if ok else "FAIL") + " report: " + what)
    failed |= not ok

VOID = {"meta", "br", "hr", "img", "link", "col", "input", "wbr", "area", "base", "source"}

class Page(HTMLParser):
    """Tag balance, what would run or be fetched, and the checks table's rows as text."""
    def __init__(self):
        super().__init__()
        self.stack, self.errors, self.fetches, self.scripts, self.svgs = [], [], [], 0, 0
        self.rows, self.row, self.in_row = [], [], False
    def handle_starttag(self, tag, attrs):
        if tag == "script": self.scripts += 1
        if tag == "svg": self.svgs += 1
        for name, value in attrs:
            if name in ("src", "href") and value and not value.startswith("#"):
                self.fetches.append(value)
        if tag == "tr": self.in_row, self.row = True, []
        if tag not in VOID: self.stack.append(tag)
    def handle_startendtag(self, tag, attrs):
        pass
    def handle_endtag(self, tag):
        if tag in VOID: return
        if not self.stack or self.stack[-1] != tag:
            self.errors.append("</%s> closes <%s>" % (tag, self.stack[-1] if self.stack else ""))
            if tag in self.stack:
                while self.stack.pop() != tag: pass
            return
        self.stack.pop()
        if tag == "tr":
            self.in_row = False
            self.rows.append(" ".join("".join(self.row).split()))
    def handle_data(self, data):
        if self.in_row: self.row.append(data + " ")

def page(name):
    p = Page()
    p.feed(open("%s/%s.html" % (run, name), encoding="utf-8").read())
    p.close()
    check(not p.errors and not p.stack,
          "the %s HTML is balanced (%s)" % (name, "; ".join(p.errors[:3] + p.stack[:3]) or "ok"))
    check(p.scripts == 0 and not p.fetches and p.svgs > 0,
          "the %s HTML has charts, no script and fetches nothing (%d svg, %s)"
          % (name, p.svgs, p.fetches[:3] or "no links"))
    return p

def verdicts(name):
    doc = json.load(open("%s/%s.json" % (run, name), encoding="utf-8"))
    check(doc.get("format") == "motoskop-report" and doc.get("version", 0) >= 1,
          "the %s JSON says what it is" % name)
    drive = doc["drive"]
    check(drive["vehicle"]["family"] == 1 and drive["seconds"] >= 25,
          "the %s drive: family %s, %s s" % (name, drive["vehicle"]["family"], drive["seconds"]))
    return {c["id"]: c for c in drive["checks"]}

weak = verdicts("weak")
charging = weak.get("charging", {})
volts = [f["value"] for f in charging.get("figures", []) if f.get("unit") == "В"]
check(charging.get("verdict") == "fault" and volts and volts[0] is not None and volts[0] < 12.6,
      "weak charging is a fault at %s V" % (volts[0] if volts else "?"))
rows = [r for r in page("weak").rows if r.startswith(charging.get("title", "?"))]
check(rows and "неисправность" in rows[0],
      "the HTML's checks table says «неисправность» for charging: %s" % (rows[:1] or "no row"))

healthy = verdicts("healthy")
faults = [i for i, c in healthy.items() if c["verdict"] == "fault"]
check(not faults, "the healthy drive has no «неисправность» (%s)"
      % (", ".join("%s:%s" % (i, c["verdict"]) for i, c in healthy.items())))
check(healthy.get("charging", {}).get("verdict") == "ok", "the healthy drive charges normally")
rows = [r for r in page("healthy").rows if r.startswith(healthy["charging"]["title"])]
check(rows and "неисправность" not in rows[0].split("(")[0],
      "the HTML's charging row of the healthy drive says no fault: %s" % (rows[:1] or "no row"))
sys.exit(1 if failed else 0)
PY
[ $? -eq 0 ] || E2E_FAILED=1
exit $E2E_FAILED
