#!/usr/bin/env python3
"""Compares a recording made from the simulator with what the simulator sent.

usage: recording_vs_simulator.py FAMILY ECUSIM_LOG RECORDING [CSV]

  ECUSIM_LOG  the simulator's --log: "rx" frames received, "tx" answers sent
  RECORDING   the .mrec file, read by the independent reader mrec_reader.py beside this
  CSV         `motoskop.exe --export-csv REC OUT --standard` of the same recording

The recording's polls are lined up with the polls the simulator received: each
good reply must be the poll's echo followed by the answer the simulator sent to
that poll, byte for byte, with no poll of the simulator missing in between.
Then every CSV row (one per poll) is checked against the independent decoder in
tools/oracle/golden.py applied to the simulator's frame for that poll (and its
trouble codes against the frame's error bytes); a poll kept without a reply
must leave the channel and code cells empty.

Prints "PASS ..." / "FAIL ..." lines and a "figures ..." line; exits 1 on a FAIL.
"""

import csv
import os
import sys
from decimal import Decimal, InvalidOperation

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tools", "oracle"))
import golden  # noqa: E402  (the decoding tables, written apart from the program)
import mrec_reader  # noqa: E402  (the recording read without the program's reader)

POLL = [0xF4, 0x56, 0x01, 0xB5]
ANSWER_SIZE = 64

failures = 0


def report(ok, what, why=""):
    global failures
    if ok:
        print("PASS %s" % what)
    else:
        failures += 1
        print("FAIL %s: %s" % (what, why))


def hex_bytes(text):
    return [int(x, 16) for x in text.split()]


def simulator_polls(path):
    """One entry per poll the simulator received: the 68 bytes the program was
    sent for it (echo + answer), or None when no whole answer went out."""
    polls = []
    waiting = False  # the last frame received was a poll not answered yet
    for line in open(path, encoding="utf-8", errors="replace"):
        tag, _, rest = line.rstrip("\n").partition(" ")
        if tag == "rx":
            waiting = hex_bytes(rest) == POLL
            if waiting:
                polls.append(None)
        elif tag == "tx" and waiting:
            answer = hex_bytes(rest)
            if len(answer) == ANSWER_SIZE:  # a cut answer is not whole
                polls[-1] = POLL + answer
            waiting = False
    return polls


def recorded_polls(path):
    return [{"ms": ms, "outcome": outcome, "reply": None if reply is None else list(reply)}
            for ms, outcome, reply in mrec_reader.polls(mrec_reader.read(path))]


def line_up(sim, rec):
    """The offset d with rec[k] answered by sim[k + d] for every good k, or None."""
    good = [k for k, p in enumerate(rec) if p["outcome"] == "good"]
    if not good:
        return None, good
    k0 = good[0]
    for j, frame in enumerate(sim):
        if frame != rec[k0]["reply"]:
            continue
        d = j - k0
        if d < 0 or good[-1] + d >= len(sim):
            continue
        if all(sim[k + d] == rec[k]["reply"] for k in good):
            return d, good
    return None, good


def golden_cells(family, frame):
    """The CSV channel cells the decoding tables give for a 68-byte frame."""
    rows = golden.FAMILIES[family][0]
    r = frame + [0] * (100 - len(frame))
    cells = []
    for mnemonic, read in rows:
        rec = read(r)
        if rec[0] == "bits":
            cells.append((mnemonic, str(sum(int(t) << j for j, t in enumerate(rec[1])))))
        elif rec[3] in (golden.YES, golden.NO):
            cells.append((mnemonic, "1" if rec[3] == golden.YES else "0"))
        else:
            cells.append((mnemonic, rec[3].replace(",", ".")))
    return cells


def same_cell(csv_text, expected):
    try:
        return Decimal(csv_text) == Decimal(expected)
    except InvalidOperation:
        return csv_text == expected


def active_codes(family, frame):
    groups = golden.FAMILIES[family][1]
    return {"%d.%d" % (k, j) for k in range(1, groups + 1) for j in range(8)
            if (frame[8 + k] >> j) & 1}


def check_csv(family, path, sim, rec, d):
    text = open(path, encoding="utf-8", newline="").read()
    report(not text.startswith("\ufeff"), "the standard CSV has no byte-order mark")
    rows = list(csv.reader(text.splitlines()))
    head, rows = rows[0], [r for r in rows[1:] if r]
    names = [m for m, _ in golden.FAMILIES[family][0]]
    channels = head[2:2 + len(names)]
    report(len(head) == len(names) + 4 and
           all(h == m or h.startswith(m + " (") for h, m in zip(channels, names)),
           "the heading lists the family's %d channels in catalogue order" % len(names),
           " | ".join(head))
    codes_at = head.index("Коды ошибок") if "Коды ошибок" in head else len(head) - 2
    report(len(rows) == len(rec), "one CSV row per poll (%d)" % len(rec),
           "%d rows for %d polls" % (len(rows), len(rec)))

    compared = cells = failed_rows = 0
    problems = []
    for k, (row, poll) in enumerate(zip(rows, rec)):
        where = "row %d (poll at %d ms)" % (k + 1, poll["ms"])
        if len(row) != len(head):
            problems.append("%s: %d fields" % (where, len(row)))
            continue
        if Decimal(row[0]) != Decimal(poll["ms"]) / 1000:
            problems.append("%s: time %s" % (where, row[0]))
        if poll["reply"] is None:
            failed_rows += 1
            if any(row[2:2 + len(names)]) or row[codes_at]:
                problems.append("%s: a %s poll has values" % (where, poll["outcome"]))
            continue
        # A reply kept with the poll (good, or a whole one that came as STOP was
        # pressed) is decoded, as it was live.
        frame = sim[k + d] if d is not None and 0 <= k + d < len(sim) else None
        if frame is None:
            problems.append("%s: the simulator sent no whole answer" % where)
            continue
        compared += 1
        for (mnemonic, want), got in zip(golden_cells(family, frame), row[2:]):
            cells += 1
            if not same_cell(got, want):
                problems.append("%s: %s is %s, the simulator's frame gives %s"
                                % (where, mnemonic, got, want))
        if set(row[codes_at].split()) != active_codes(family, frame):
            problems.append("%s: codes '%s', the frame has %s"
                            % (where, row[codes_at], sorted(active_codes(family, frame))))
    report(not problems and compared > 0,
           "%d rows with a reply (%d cells) equal the decoding tables on the simulator's "
           "frames, %d without one empty" % (compared, cells, failed_rows),
           "; ".join(problems[:6]) + (" ... (%d in all)" % len(problems) if len(problems) > 6
                                      else ""))
    return compared, cells


def main():
    if len(sys.argv) not in (4, 5):
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    family = int(sys.argv[1])
    sim = simulator_polls(sys.argv[2])
    rec = recorded_polls(sys.argv[3])
    d, good = line_up(sim, rec)
    first, last = (good[0], good[-1]) if good else (0, -1)
    missing = [] if d is None else [
        k for k in range(first, last + 1)
        if rec[k]["outcome"] == "good" and sim[k + d] != rec[k]["reply"]]
    report(d is not None and not missing and len(good) > 0,
           "%d recorded replies are the simulator's answers %d..%d, in order, none missing"
           % (len(good), (d or 0) + first + 1, (d or 0) + last + 1),
           "no run of the simulator's %d polls holds the recording's %d polls (%d good)"
           % (len(sim), len(rec), len(good)))
    if d is not None:
        # A poll the simulator answered in full inside the recorded run but the
        # program did not keep as good must be a poll it judged failed, not a gap.
        gaps = [k for k in range(first, last + 1)
                if rec[k]["outcome"] != "good" and sim[k + d] is not None
                and rec[k]["reply"] not in (None, sim[k + d])]
        report(not gaps, "no recorded poll carries bytes other than the simulator's",
               "polls %s" % gaps[:5])
    matched = 0 if d is None else sum(
        1 for k in range(len(rec)) if rec[k]["reply"] and 0 <= k + d < len(sim)
        and rec[k]["reply"] == sim[k + d])
    answered = 0 if d is None else sum(
        1 for k in range(first, last + 1) if rec[k]["outcome"] != "good" and sim[k + d])
    compared = cells = 0
    if len(sys.argv) == 5:
        compared, cells = check_csv(family, sys.argv[4], sim, rec, d)
    print("figures simulator_polls=%d recorded_polls=%d first_at_simulator_poll=%s "
          "frames_matched=%d answered_but_judged_failed=%d rows_compared=%d cells_compared=%d"
          % (len(sim), len(rec), "-" if d is None else d + 1,
             matched, answered, compared, cells))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
