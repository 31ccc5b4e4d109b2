#!/usr/bin/env python3
"""dialog_buttons.py [--hovered] SHOT.ppm: the drawn dialog's buttons in a
screenshot (binary PPM) of a window whose game shows black, one "X Y WIDTH
HEIGHT" line each, top row first, left to right. A button is a patch of the
buttons' blue at least six pixels each way; its label's pixels inside it
do not split it. With --hovered, only the buttons drawn as under the
pointer."""
import sys


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P6" and fields[3] == b"255", "not an 8-bit PPM"
    return int(fields[1]), int(fields[2]), data[pos + 1:]


# A button's blue over the panel over black: as it rests, under the pointer
# and pressed. A selected text's blue and the field's are other blues.
BUTTON_BLUES = ((35, 69, 109), (66, 150, 250), (15, 135, 250))


HOVERED = 1


def blue_of(pixels, i):
    """The index in BUTTON_BLUES of the pixel's blue, or None."""
    for n, blue in enumerate(BUTTON_BLUES):
        if all(abs(pixels[i + c] - blue[c]) <= 12 for c in range(3)):
            return n
    return None


def button_blue(pixels, i):
    return blue_of(pixels, i) is not None


def main():
    hovered_only = sys.argv[1] == "--hovered"
    width, height, pixels = read_ppm(sys.argv[-1])
    seen = bytearray(width * height)
    found = []
    for start in range(width * height):
        if seen[start] or not button_blue(pixels, start * 3):
            continue
        seen[start] = 1
        stack, xs, ys = [start], [], []
        while stack:
            p = stack.pop()
            x, y = p % width, p // width
            xs.append(x)
            ys.append(y)
            for q in (p - 1 if x > 0 else -1, p + 1 if x + 1 < width else -1, p - width, p + width):
                if 0 <= q < width * height and not seen[q] and button_blue(pixels, q * 3):
                    seen[q] = 1
                    stack.append(q)
        x0, y0, x1, y1 = min(xs), min(ys), max(xs), max(ys)
        hovered = sum(blue_of(pixels, (y * width + x) * 3) == HOVERED for x, y in zip(xs, ys))
        if hovered_only and hovered * 2 < len(xs):
            continue
        if x1 - x0 >= 5 and y1 - y0 >= 5:
            found.append((x0, y0, x1 - x0 + 1, y1 - y0 + 1))
    # Patches inside another (a label's enclosed counter) are not buttons.
    found = [a for a in found if not any(b != a and b[0] <= a[0] and b[1] <= a[1] and
                                         a[0] + a[2] <= b[0] + b[2] and a[1] + a[3] <= b[1] + b[3] for b in found)]
    # Top row first: buttons whose tops are within a few pixels share a row.
    found.sort(key=lambda b: b[1])
    rows, top = [], None
    for b in found:
        if top is None or b[1] - top > 4:
            rows.append([])
            top = b[1]
        rows[-1].append(b)
    for row in rows:
        for b in sorted(row):
            print(*b)


main()
