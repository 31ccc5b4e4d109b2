#!/usr/bin/env python3
"""make_record.py KEYS OUT: writes an input record file (what "-record"
writes) from a short list of key presses, so a recorded play stays readable
and can be changed by hand.

KEYS holds one press a line: FIRST LAST KEYCODE (steps counted from 0, the
key held down from step FIRST through step LAST). "#" starts a comment. The
record holds STEPS blocks (the input of a 600-step run).
"""
import struct
import sys

BLOCK = 2939
LAST_KEY, CURRENT_KEY = 2052, 2056
KEY_DOWN, KEY_RELEASED, KEY_PRESSED = 2060, 2316, 2572
STEPS = 600


def main():
    presses = []
    with open(sys.argv[1]) as keys:
        for line in keys:
            line = line.split("#", 1)[0].split()
            if line:
                first, last, key = (int(word) for word in line)
                presses.append((first, last, key))
    blocks = [bytearray(BLOCK) for _ in range(STEPS)]
    for first, last, key in presses:
        for step in range(first, last + 1):
            blocks[step][KEY_DOWN + key] = 1
        blocks[first][KEY_PRESSED + key] = 1
        blocks[last + 1][KEY_RELEASED + key] = 1
    last_key = 0
    for block in blocks:
        held = [key for key in range(256) if block[KEY_DOWN + key]]
        newly = [key for key in range(256) if block[KEY_PRESSED + key]]
        if newly:
            last_key = newly[-1]
        struct.pack_into("<ii", block, LAST_KEY, last_key, held[-1] if held else 0)
    with open(sys.argv[2], "wb") as out:
        for block in blocks:
            out.write(block)


main()
