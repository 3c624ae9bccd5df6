#!/usr/bin/env python3
"""Reads an area of the screen from the file an Xvfb started with -fbdir keeps it in, without
asking the X server (scripts/wine-env.sh: area_hash, drawn).

usage: screen.py hash|colours WxH+X+Y     (MOTOSKOP_SCREEN="FILE OFFSET STRIDE" in the environment)
  hash      an MD5 of the area's pixels
  colours   how many different colours the area shows
"""
import hashlib
import os
import re
import sys


def rows(geometry):
    w, h, x, y = (int(v) for v in re.match(r"(\d+)x(\d+)\+(\d+)\+(\d+)$", geometry).groups())
    path, offset, stride = os.environ["MOTOSKOP_SCREEN"].split()
    with open(path, "rb") as f:
        for row in range(y, y + h):
            f.seek(int(offset) + row * int(stride) + x * 4)
            yield f.read(w * 4)


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("hash", "colours"):
        sys.exit(__doc__.strip())
    if sys.argv[1] == "hash":
        md5 = hashlib.md5()
        for line in rows(sys.argv[2]):
            md5.update(line)
        print(md5.hexdigest())
    else:  # the fourth byte of each pixel is unused
        print(len({line[i:i + 3] for line in rows(sys.argv[2]) for i in range(0, len(line), 4)}))


if __name__ == "__main__":
    main()
