#!/usr/bin/env bash
# The button table the tests click by (scripts/positions.sh) against the windows' own
# placement code: a button moved in the code and not in the table would make every test
# that presses it click beside it. Reads the sources only; starts nothing.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"

python3 - "$ROOT" <(for name in "${!POSITIONS[@]}"; do echo "$name ${POSITIONS[$name]}"; done) <<'PY'
import os, pathlib, re, sys

root = pathlib.Path(sys.argv[1])
table = {}
for line in open(sys.argv[2]):
    name, window, *rect = line.split()
    table[name] = (window, tuple(int(v) for v in rect))

def sources():
    """The tree's .cpp files; build/ (where other tests make and remove run directories while
    this one reads) and hidden folders are not walked into."""
    for top, dirs, names in os.walk(root):
        dirs[:] = [d for d in dirs if d != "build" and not d.startswith(".")]
        for name in names:
            if name.endswith(".cpp"):
                yield pathlib.Path(top, name)


CPP = sorted(sources())


def source(cls):
    found = [p for p in CPP if p.name.startswith(cls)]
    return found[0].read_text(encoding="utf-8") if found else ""

def with_constants(text):
    """setBounds(kMarkX, kMarkY, ...) read with the numbers of "constexpr int kMarkX = 717, ...;"."""
    values = {}
    for decl in re.findall(r"constexpr int ([^;]*);", text):
        for name, value in re.findall(r"(k\w+)\s*=\s*(\d+)", decl):
            values[name] = value
    return re.sub(r"(\.setBounds\()([^)]*)\)", lambda m: m.group(1) + re.sub(
        r"\bk\w+\b", lambda k: values.get(k.group(0), k.group(0)), m.group(2)) + ")", text)

def placed(cls, image):
    """The rectangle the window's code gives picture ImageN (or a named picture), or None."""
    text = source(cls)
    num = r"\s*(\d+)\s*"
    if isinstance(image, str):  # a picture by its member name: setBounds or a {&Name, ...} row
        text = with_constants(text)
        m = re.search(r"\b%s\.setBounds\(%s,%s,%s,%s\)" % (image, num, num, num, num), text) or \
            re.search(r"\{\s*&%s\s*,%s,%s,%s,%s," % (image, num, num, num, num), text)
        return tuple(int(v) for v in m.groups()) if m else None
    m = re.search(r"Image%d\.setBounds\(%s,%s,%s,%s\)" % (image, num, num, num, num), text)
    if m:
        return tuple(int(v) for v in m.groups())
    if cls == "TForm1":  # placement table rows {N, &TForm1::ImageN, left, top, width, height, resource}
        m = re.search(r"\{\s*(?:%d\s*,\s*)?(?:&TForm1::Image)?%d\s*,%s,%s,%s,%s,\s*[A-Z0]" % (image, image, num, num, num, num), text)
        if m:
            return tuple(int(v) for v in m.groups())
        m = re.search(r"setBounds\((\d+) \+ (\d+) \* \(n - 20\),%s,%s,%s\)" % (num, num, num), text)
        if m and 20 <= image <= 31:  # the graph-set buttons
            first, step, top, w, h = (int(v) for v in m.groups())
            return (first + step * (image - 20), top, w, h)
        m = re.search(r"kFirstSetImage = (\d+);\s*constexpr int kSetButtonLeft = (\d+), kSetButtonStep = (\d+), kSetButtonTop = (\d+);", text)
        s = re.search(r"setBounds\(kSetButtonLeft \+ kSetButtonStep \* set, kSetButtonTop,%s,%s\)" % (num, num), text)
        if m and s and 0 <= image - int(m.group(1)) < 12:  # the graph-set buttons, by constants
            first_image, left, step, top = (int(v) for v in m.groups())
            return (left + step * (image - first_image), top) + tuple(int(v) for v in s.groups())
    if cls == "TForm5":  # rows {N, left, top, greyed, lamp}, 95x20 each
        m = re.search(r"\{\s*%d\s*,%s,%s,\s*(?:true|false)" % (image, num, num), text)
        if m:
            return (int(m.group(1)), int(m.group(2)), 95, 20)
    if cls == "TForm6":  # kButtons rows {left, caption, ...} for Image2..Image4
        lefts = [int(v) for v in re.findall(r"\{\s*(\d+)\s*,\s*\"", text)]
        m = re.search(r"setBounds\(kButtons\[i\]\.left,%s,%s,%s\)" % (num, num, num), text)
        if m and 0 <= image - 2 < len(lefts):
            return (lefts[image - 2],) + tuple(int(v) for v in m.groups())
    return None

# The tags beside the table's entries: "# TFormN ImageM", or "# Class MemberButton" for a control
# of a class of its own on a window; the generated rows by their names.
tags = {}
for line in (root / "scripts/positions.sh").read_text(encoding="utf-8").splitlines():
    m = re.match(r"\s*\[(\w+)\]=\".*\"\s*# (TForm\d+) Image(\d+)", line)
    if m:
        tags[m.group(1)] = (m.group(2), int(m.group(3)))
        continue
    m = re.match(r"\s*\[(\w+)\]=\"\w+ .*\"\s*# ([A-Z]\w+) ([A-Z]\w+Button)\b", line)
    if m:
        tags[m.group(1)] = (m.group(2), m.group(3))
for name in table:
    if re.fullmatch(r"SET(\d+)", name):
        tags[name] = ("TForm1", 19 + int(name[3:]))
    elif re.fullmatch(r"ACT(\d+)", name):
        tags[name] = ("TForm5", int(name[3:]))

bad = []
for name, (window, rect) in sorted(table.items()):
    if name not in tags:
        bad.append("%s has no 'TFormN ImageM' tag" % name)
        continue
    cls, image = tags[name]
    want = placed(cls, image)
    if want is None:
        bad.append("%s: no placement of %s %s found in the code" % (name, cls, image))
    elif want != rect or (window == "MAIN") != (cls in ("TForm1", "ReplayHost", "RecordControl", "ChecksHost")):
        bad.append("%s is %s %s in the table, %s %s is at %s" % (name, window, rect, cls, image, want))
for b in bad:
    print("FAIL positions_table: " + b)
if not bad:
    print("PASS positions_table: %d buttons where the windows place them" % len(table))
PY
