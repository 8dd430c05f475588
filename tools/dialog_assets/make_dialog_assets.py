#!/usr/bin/env python3
"""Draws the settings dialog's pictures into assets/settings_dialog/.

Usage: tools/dialog_assets/make_dialog_assets.py [OUTPUT_DIR]

- mark_unselected.bmp, mark_selected.bmp: the 12 x 12 selection marks of the music rows,
  an empty square box and the same box with a blue centre (24-bit).
- link_hand.cur: the link label's 32 x 32 monochrome pointing hand, hot spot at the
  fingertip (12, 10).
The same run always gives the same bytes.
"""
import struct
import sys
from pathlib import Path

MARK_SIZE = 12
FRAME = (72, 72, 80)
SHADOW = (168, 168, 176)
PAPER = (255, 255, 255)
BLUE = (24, 72, 232)

CURSOR_SIZE = 32
HOT_SPOT = (12, 10)
# The hand: X outline, o white, . transparent. Its fingertip is the art's (5, 0).
HAND = [
    ".....XX..........",
    "....XooX.........",
    "....XooX.........",
    "....XooX.........",
    "....XooX.........",
    "....XooXXX.......",
    "....XooXooXXX....",
    "....XooXooXooXX..",
    "XXX.XooXooXooXoX.",
    "XooXXooooooooXoX.",
    "XoooXooooooooooX.",
    ".XooXooooooooooX.",
    "..XooooooooooooX.",
    "..XooooooooooooX.",
    "...XoooooooooooX.",
    "...XooooooooooX..",
    "....XoooooooooX..",
    "....XoooooooooX..",
    ".....XooooooooX..",
    ".....XXXXXXXXXX..",
]
HAND_TIP = (5, 0)


def mark_pixels(selected):
    """Rows top first of (r, g, b): a one-pixel frame, an inner shadow, white paper."""
    rows = []
    for y in range(MARK_SIZE):
        row = []
        for x in range(MARK_SIZE):
            edge = x in (0, MARK_SIZE - 1) or y in (0, MARK_SIZE - 1)
            inner_shadow = (x == 1 or y == 1) and not edge
            centre = 3 <= x <= MARK_SIZE - 4 and 3 <= y <= MARK_SIZE - 4
            if edge:
                row.append(FRAME)
            elif selected and centre:
                row.append(BLUE)
            elif inner_shadow:
                row.append(SHADOW)
            else:
                row.append(PAPER)
        rows.append(row)
    return rows


def bmp_24(rows):
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def hand_grid():
    """32 x 32 rows of 'X', 'o' or '.', the fingertip placed on the hot spot."""
    grid = [["."] * CURSOR_SIZE for _ in range(CURSOR_SIZE)]
    dx, dy = HOT_SPOT[0] - HAND_TIP[0], HOT_SPOT[1] - HAND_TIP[1]
    for y, line in enumerate(HAND):
        for x, c in enumerate(line):
            grid[y + dy][x + dx] = c
    return grid


def cur_monochrome(grid, hot_spot):
    size = len(grid)
    stride = size // 8
    xor_bits = bytearray()
    and_bits = bytearray()
    for row in reversed(grid):  # bottom-up
        xor_row = bytearray(stride)
        and_row = bytearray(stride)
        for x, c in enumerate(row):
            bit = 0x80 >> (x % 8)
            if c == ".":
                and_row[x // 8] |= bit
            elif c == "o":
                xor_row[x // 8] |= bit
        xor_bits += xor_row
        and_bits += and_row
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(xor_bits) + len(and_bits), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + palette + bytes(xor_bits) + bytes(and_bits)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hot_spot[0], hot_spot[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2] / "assets" / "settings_dialog"
    out.mkdir(parents=True, exist_ok=True)
    (out / "mark_unselected.bmp").write_bytes(bmp_24(mark_pixels(False)))
    (out / "mark_selected.bmp").write_bytes(bmp_24(mark_pixels(True)))
    grid = hand_grid()
    assert grid[HOT_SPOT[1]][HOT_SPOT[0]] == "X", "the hot spot must lie on the fingertip"
    (out / "link_hand.cur").write_bytes(cur_monochrome(grid, HOT_SPOT))


if __name__ == "__main__":
    main()
