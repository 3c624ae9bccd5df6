#!/usr/bin/env python3
"""A reader of MOTOSKOP recordings (.mrec, versions 1 and 2) of its own, written from
docs/recording-format.md alone: none of the program's code is used, so what the
end-to-end tests learn from it does not depend on the program's own reader.

usage:
  mrec_reader.py polls FILE
      every poll, one line each: poll <n> <time_ms> <outcome> <68 bytes hex | ->
      (the line format of `recinfo --polls`)
  mrec_reader.py check NAME FILE [--label WHAT] [--cut-ok] [--recinfo SUMMARY]
                       [--recinfo-polls POLLS] [--frames FRAMES]
      "PASS NAME: WHAT: ..." / "FAIL NAME: WHAT: ..." lines; exit 1 on a FAIL:
        - the file keeps the format's rules: signature, framing, CRC, a segment header
          first with every key, times that never decrease, payloads of the right size
          (a record of a type not in the format, whole and with a good CRC, is skipped);
          it ends on a record's end (--cut-ok: or in a record cut short, as a killed
          program leaves it), never in a damaged one;
        - SUMMARY (`recinfo FILE`) and POLLS (`recinfo --polls FILE`), the program's
          reading, say what this reader read;
        - FRAMES (`recgen`'s log: "<ms> <outcome> <hex | ->" per poll) are the polls.
"""

import re
import struct
import sys
import zlib

SIGNATURE = b"MSKREC\r\n"
SYNC = 0xA5
SEGMENT_HEADER, POLL, LINK_START, LINK_STOP, RECORD_START, COMMAND, CODE_APPEARED, \
    CODE_GONE, CLEAR_CODES, MARKER, MARKER_TEXT, VISIT = range(1, 13)
NO_ODOMETER = 0xFFFFFFFF
VISIT_LIMITS = (32, 32, 1000, 2000)  # plate, VIN, complaint, work done (bytes)
REPLY_SIZE = 68
OUTCOMES = {0: "good", 1: "no-answer", 2: "wrong-echo", 3: "link-broken", 4: "not-polled"}
VERDICTS = {0: "sent", 1: "confirmed", 2: "rejected"}
HEADER_KEYS = ("format", "program", "start", "car", "engine", "family", "port", "baud")
ENDINGS = {"whole": "whole", "cut": "its last record cut short", "damaged": "damaged"}
START_FORMAT = re.compile(r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d$")


class Recording:
    def __init__(self):
        self.records = []  # (type, time_ms, payload after the time)
        self.end = "whole"  # whole, cut (the last record cut short) or damaged
        self.why = ""  # what was wrong where reading stopped
        self.good_bytes = len(SIGNATURE)  # the bytes up to the last whole record
        self.problems = []  # the format's rules broken by whole records
        self.skipped = 0  # whole records of types not in the format


def read(path):
    data = open(path, "rb").read()
    rec = Recording()
    if data[:8] != SIGNATURE:
        rec.end, rec.why = "damaged", "no MSKREC signature"
        return rec
    at = 8
    while at < len(data):
        if data[at] != SYNC:
            rec.end, rec.why = "damaged", "no sync byte at %d" % at
            break
        if at + 4 > len(data):
            rec.end, rec.why = "cut", "record at %d cut short" % at
            break
        kind, n = data[at + 1], struct.unpack_from("<H", data, at + 2)[0]
        known = SEGMENT_HEADER <= kind <= VISIT
        if known and n < 4:
            rec.end, rec.why = "damaged", "type %d, length %d at %d" % (kind, n, at)
            break
        if at + 8 + n > len(data):
            rec.end, rec.why = "cut", "record at %d cut short" % at
            break
        crc = struct.unpack_from("<I", data, at + 4 + n)[0]
        if zlib.crc32(data[at + 1:at + 4 + n]) != crc:
            rec.end, rec.why = "damaged", "CRC of the record at %d" % at
            break
        if not known:  # a later version's record: skipped
            if not rec.records:
                rec.end, rec.why = "damaged", "type %d before the first header" % kind
                break
            rec.skipped += 1
            at += 8 + n
            rec.good_bytes = at
            continue
        payload = data[at + 4:at + 4 + n]
        rec.records.append((kind, struct.unpack_from("<I", payload)[0], payload[4:]))
        at += 8 + n
        rec.good_bytes = at
    check_rules(rec)
    return rec


def header_of(body):
    lines = body.decode("utf-8").split("\n")
    if lines[-1] != "":
        raise ValueError("the last line has no line end")
    return dict(line.split("=", 1) for line in lines[:-1])


def visit_of(body):
    """(odometer km or None, plate, VIN, complaint, work done); ValueError when it does not fit."""
    if len(body) < 4:
        raise ValueError("no odometer")
    km = struct.unpack_from("<I", body)[0]
    at, texts = 4, []
    for limit in VISIT_LIMITS:
        if at + 2 > len(body):
            raise ValueError("text %d has no length" % (len(texts) + 1))
        n = struct.unpack_from("<H", body, at)[0]
        if at + 2 + n > len(body) or n > limit:
            raise ValueError("text %d of %d bytes" % (len(texts) + 1, n))
        texts.append(body[at + 2:at + 2 + n].decode("utf-8"))
        at += 2 + n
    return (None if km == NO_ODOMETER else km,) + tuple(texts)


def safe_header(body):
    try:
        return header_of(body)
    except ValueError:
        return {}


def check_rules(rec):
    bad = rec.problems.append
    if not rec.records or rec.records[0][0] != SEGMENT_HEADER:
        bad("the first record is no segment header")
    last = 0
    for k, (kind, ms, body) in enumerate(rec.records):
        where = "record %d (type %d at %d ms)" % (k + 1, kind, ms)
        if ms < last:
            bad("%s: the time goes back from %d ms" % (where, last))
        last = max(last, ms)
        if kind == SEGMENT_HEADER:
            try:
                h = header_of(body)
            except ValueError as e:
                bad("%s: header lines: %s" % (where, e))
                continue
            missing = [key for key in HEADER_KEYS if key not in h]
            if missing:
                bad("%s: header without %s" % (where, ", ".join(missing)))
            elif h["format"] not in ("1", "2") or h["family"] not in "1234" \
                    or not h["baud"].isdigit() or not START_FORMAT.match(h["start"]) \
                    or not h.get("latency", "0").isdigit():
                bad("%s: header values %s" % (where, h))
        elif kind == VISIT:
            try:
                km = visit_of(body)[0]
                if km is not None and km > 9999999:
                    bad("%s: odometer %d km" % (where, km))
            except (ValueError, UnicodeDecodeError) as e:
                bad("%s: visit payload: %s" % (where, e))
        elif kind == POLL:
            if len(body) not in (2, 2 + REPLY_SIZE) or body[0] not in OUTCOMES:
                bad("%s: poll payload of %d bytes, outcome %d" % (where, len(body), body[0]))
            elif len(body) > 2 and (body[0] not in (0, 3) or body[1] != REPLY_SIZE):
                bad("%s: a reply with outcome %d after %d bytes" % (where, body[0], body[1]))
            elif body[0] == 0 and len(body) == 2:
                bad("%s: a good poll without its reply" % where)
        elif kind == COMMAND:
            if len(body) < 1 or body[0] > 2 or len(body) > 65:
                bad("%s: command payload %s" % (where, body.hex()))
        elif kind in (CODE_APPEARED, CODE_GONE):
            if len(body) != 2 or not 1 <= body[0] <= 4 or body[1] > 7:
                bad("%s: code payload %s" % (where, body.hex()))
        elif kind in (MARKER, MARKER_TEXT):
            try:
                body[2:].decode("utf-8")
                ok = len(body) >= 2 and len(body) - 2 <= 200
            except UnicodeDecodeError:
                ok = False
            if not ok:
                bad("%s: marker payload %s" % (where, body.hex()))
        elif body:
            bad("%s: %d bytes where nothing belongs" % (where, len(body)))
    texts = {m["text"] for m in markers(rec)}
    for _, ms, body in (r for r in rec.records if r[0] == CODE_APPEARED and len(r[2]) == 2):
        if "появился код %d.%d" % (body[0], body[1]) not in texts:
            bad("code %d.%d at %d ms has no marker of its own" % (body[0], body[1], ms))


def polls(rec):
    out = []
    for kind, ms, body in rec.records:
        if kind == POLL and len(body) >= 2:
            reply = body[2:] if len(body) == 2 + REPLY_SIZE else None
            out.append((ms, OUTCOMES.get(body[0], "?"), reply))
    return out


def markers(rec):
    found = []
    for kind, ms, body in rec.records:
        if kind not in (MARKER, MARKER_TEXT) or len(body) < 2:
            continue
        number, text = struct.unpack_from("<H", body)[0], body[2:].decode("utf-8", "replace")
        if kind == MARKER:
            found.append({"number": number, "ms": ms, "text": text})
        else:  # a later text for that marker: the last one wins
            for m in found:
                if m["number"] == number:
                    m["text"] = text
    return found


def last_visit(rec):
    found = None
    for kind, _, body in rec.records:
        if kind == VISIT:
            try:
                found = visit_of(body)
            except (ValueError, UnicodeDecodeError):
                pass
    return found


def one_line(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n")


def poll_lines(rec):
    return ["poll %d %d %s %s" % (k, ms, outcome,
                                  " ".join("%02X" % b for b in reply) if reply else "-")
            for k, (ms, outcome, reply) in enumerate(polls(rec), 1)]


def summary_lines(rec):
    """What this reader read, in the line format of `recinfo FILE`."""
    lines = ["status %s" % ("damaged" if rec.end == "damaged" else "ok"),
             "truncated %d" % (rec.end == "cut"), "bytes %d" % rec.good_bytes,
             "duration_ms %d" % max([ms for _, ms, _ in rec.records] or [0])]
    segments = [(ms, safe_header(body)) for kind, ms, body in rec.records if kind == SEGMENT_HEADER]
    for k, (ms, h) in enumerate(segments, 1):
        lines.append("segment %d at_ms=%d family=%s start=%s car=%s engine=%s port=%s baud=%s "
                     "program=%s adapter=%s latency=%s"
                     % (k, ms, h.get("family"), h.get("start"), h.get("car"), h.get("engine"),
                        h.get("port"), h.get("baud"), h.get("program"), h.get("adapter", ""),
                        h.get("latency", "")))
    lines.append("skipped %d" % rec.skipped)
    visit = last_visit(rec)
    if visit:
        km, plate, vin, complaint, work = visit
        lines += ["visit_plate %s" % plate, "visit_vin %s" % vin,
                  "visit_odometer %s" % ("-" if km is None else km),
                  "visit_complaint %s" % one_line(complaint), "visit_work %s" % one_line(work)]
    p = polls(rec)
    good = sum(1 for _, _, reply in p if reply)
    lines += ["polls %d" % len(p), "good %d" % good, "not_good %d" % (len(p) - good)]
    if p:
        lines += ["first_poll_ms %d" % p[0][0], "last_poll_ms %d" % p[-1][0]]
    counts = dict.fromkeys(["record_start", "link_start", "link_stop", "commands",
                            "commands_confirmed", "commands_rejected", "code_appeared",
                            "code_gone", "clear_codes"], 0)
    for kind, ms, body in rec.records:
        if kind == RECORD_START:
            lines.append("record_start_ms %d" % ms)
        elif kind == CODE_APPEARED and len(body) == 2:
            lines.append("code %d.%d at_ms=%d" % (body[0], body[1], ms))
        elif kind == COMMAND and body and body[0] in VERDICTS:
            counts["commands_" + VERDICTS[body[0]]] = counts.get("commands_" + VERDICTS[body[0]], 0) + 1
        name = {RECORD_START: "record_start", LINK_START: "link_start", LINK_STOP: "link_stop",
                COMMAND: "commands", CODE_APPEARED: "code_appeared", CODE_GONE: "code_gone",
                CLEAR_CODES: "clear_codes"}.get(kind)
        if name:
            counts[name] += 1
    lines += ["%s %d" % (key, counts[key]) for key in (
        "record_start", "link_start", "link_stop", "commands", "commands_confirmed",
        "commands_rejected", "code_appeared", "code_gone", "clear_codes")]
    found = markers(rec)
    lines.append("markers %d" % len(found))
    lines += ["marker %d at_ms=%d %s" % (m["number"], m["ms"], m["text"]) for m in found]
    return lines


def line_key(line):
    return line.split(" ", 1)[0]


def differences(mine, theirs, what):
    """The lines of the two readings that differ, as a few readable words."""
    if mine == theirs:
        return []
    out = ["%s has %d lines, this reader %d" % (what, len(theirs), len(mine))] \
        if len(mine) != len(theirs) else []
    for k, (a, b) in enumerate(zip(mine, theirs)):
        if a != b:
            out.append("line %d: %s says '%s', this reader '%s'" % (k + 1, what, b[:120], a[:120]))
    return out


def check(argv):
    name, path = argv[0], argv[1]
    opts = {"--cut-ok": False, "--label": "the recording"}
    rest = argv[2:]
    while rest:
        key = rest.pop(0)
        opts[key] = True if key == "--cut-ok" else rest.pop(0)
    failures = 0

    def report(ok, what, why):
        nonlocal failures
        failures += not ok
        what = "%s: %s" % (opts["--label"], what)
        print(("PASS %s: %s" if ok else "FAIL %s: %s: %s") % ((name, what) if ok else (name, what, why)))

    rec = read(path)
    ended = rec.end == "whole" or (rec.end == "cut" and opts["--cut-ok"])
    report(ended and not rec.problems,
           "the independent reader reads %d records (%d polls), the format's rules kept, %s"
           % (len(rec.records), len(polls(rec)), ENDINGS[rec.end]),
           "; ".join(([rec.why] if not ended else []) + rec.problems[:5]))
    if "--recinfo" in opts:
        mine = summary_lines(rec)
        known = {line_key(line) for line in mine} | {"code", "marker", "record_start_ms",
                                                      "first_poll_ms", "last_poll_ms", "segment",
                                                      "visit_plate", "visit_vin", "visit_odometer",
                                                      "visit_complaint", "visit_work"}
        theirs = [line.rstrip("\n") for line in open(opts["--recinfo"], encoding="utf-8")
                  if line_key(line) in known]
        diff = differences(mine, theirs, "recinfo")
        report(not diff, "recinfo's summary says what the independent reader read (%d lines)"
               % len(mine), "; ".join(diff[:4]))
    if "--recinfo-polls" in opts:
        theirs = [line.rstrip("\n") for line in open(opts["--recinfo-polls"], encoding="utf-8")]
        diff = differences(poll_lines(rec), theirs, "recinfo --polls")
        report(not diff, "recinfo --polls lists the polls the independent reader read (%d)"
               % len(theirs), "; ".join(diff[:4]))
    if "--frames" in opts:
        want = []
        for line in open(opts["--frames"], encoding="utf-8"):
            ms, outcome, data = line.split()
            want.append((int(ms), OUTCOMES[int(outcome)], None if data == "-" else bytes.fromhex(data)))
        got = polls(rec)
        wrong = [k + 1 for k, (a, b) in enumerate(zip(got, want)) if a != b]
        report(len(got) == len(want) and not wrong,
               "the %d polls are the frames written, byte for byte" % len(want),
               "%d polls for %d frames, first differing poll %s" % (len(got), len(want), wrong[:1]))
    return 1 if failures else 0


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "polls":
        rec = read(sys.argv[2])
        print("\n".join(poll_lines(rec)))
        return 0 if rec.end != "damaged" else 1
    if len(sys.argv) >= 4 and sys.argv[1] == "check":
        return check(sys.argv[2:])
    print(__doc__.strip(), file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
