#!/usr/bin/env python3
"""Checks the BMP files the screen_bmp game saves: sizes, row padding and pixels."""
import struct
import sys
from pathlib import Path

folder = Path(sys.argv[1])
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def read_bmp(name):
    data = (folder / name).read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    check(len(data) == offset + stride * abs(height), f"{name}: {len(data)} bytes for {width}x{height}")

    def pixel(x, y):
        row = height - 1 - y if height > 0 else y
        b, g, r = data[offset + row * stride + x * 3: offset + row * stride + x * 3 + 3]
        return (r, g, b)
    return data, width, abs(height), pixel


WHITE, BLACK, PURPLE = (255, 255, 255), (0, 0, 0), (128, 0, 128)


def expected(x, y):
    if 10 <= x <= 20 and 10 <= y <= 15:
        return WHITE
    if 30 <= x <= 40 and 20 <= y <= 30:
        return WHITE
    return BLACK


def near_point(x, y):
    return 4 <= x <= 7 and 4 <= y <= 7


def in_bar(x, y):
    return x <= 11 and y <= 3


data, w, h, pixel = read_bmp("full.bmp")
check((w, h) == (64, 48), f"full.bmp is {w}x{h}")
for y in range(h):
    for x in range(w):
        if not in_bar(x, y) and not near_point(x, y):
            check(pixel(x, y) == expected(x, y), f"full.bmp ({x},{y}) is {pixel(x, y)}")
for x in range(11):
    check(pixel(x, 1) == PURPLE, f"health bar ({x},1) is {pixel(x, 1)}")
check(pixel(11, 1) == BLACK, f"health bar end (11,1) is {pixel(11, 1)}")
lit = [(x, y) for y in range(4, 8) for x in range(4, 8) if pixel(x, y) != BLACK]
check(lit == [(5, 5)] and pixel(5, 5) == WHITE, f"draw_point lit {lit}")

data, w, h, pixel = read_bmp("part.bmp")
check(len(data) == 374 and (w, h) == (10, 10), f"part.bmp {len(data)} bytes {w}x{h}")
check(pixel(0, 1) == PURPLE and pixel(9, 9) == BLACK, "part.bmp is not the top-left corner")

data, w, h, pixel = read_bmp("small.bmp")
check(len(data) == 78 and (w, h) == (3, 2), f"small.bmp {len(data)} bytes {w}x{h}")

check(not (folder / "none.bmp").exists(), "none.bmp was written")

data, w, h, pixel = read_bmp("alpha.bmp")
for channel in pixel(55, 42):
    check(abs(channel - 127) <= 1, f"half-white over black is {pixel(55, 42)}")
check(pixel(49, 42) == BLACK, "alpha rectangle spills left")

for failure in failures[:20]:
    print(failure)
sys.exit(1 if failures else 0)
