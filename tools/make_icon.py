#!/usr/bin/env python3
"""Draws the program's tray icon: a 48x48, 256-colour .ico.

Two overlapping windows on a rounded tile; the front window is drawn
see-through, with the back window showing through it. Run it to rebuild
src/app/veloria.ico after changing the drawing.
"""
import struct
import sys

SIZE = 48


def blend(a, b, t):
    return tuple(round(a[i] * (1 - t) + b[i] * t) for i in range(3))


def inside_rounded(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def draw():
    tile_top, tile_bottom = (38, 120, 168), (18, 64, 110)
    back_body, back_bar = (236, 240, 244), (250, 170, 60)
    front_body, front_bar = (255, 255, 255), (90, 200, 230)
    pixels = {}
    for y in range(SIZE):
        for x in range(SIZE):
            px, py = x + 0.5, y + 0.5
            if not inside_rounded(px, py, 1, 1, 47, 47, 9):
                continue
            colour = blend(tile_top, tile_bottom, y / (SIZE - 1))
            in_back = 7 <= x <= 30 and 8 <= y <= 29
            if in_back:
                colour = back_bar if y <= 12 else back_body
                if x in (7, 30) or y in (8, 29):
                    colour = (40, 40, 48)
            in_front = 17 <= x <= 40 and 18 <= y <= 39
            if in_front:
                face = front_bar if y <= 22 else front_body
                if x in (17, 40) or y in (18, 39):
                    colour = (30, 30, 40)
                else:
                    # the front window is see-through: what lies behind shows
                    colour = blend(colour, face, 0.55)
            pixels[(x, y)] = colour
    return pixels


def write_ico(pixels, path):
    palette = sorted(set(pixels.values()))
    if len(palette) > 255:
        # fold colours together until they fit the 256-entry palette
        step = 2
        while True:
            folded = {k: tuple(min(255, (c // step) * step) for c in v) for k, v in pixels.items()}
            palette = sorted(set(folded.values()))
            if len(palette) <= 255:
                pixels = folded
                break
            step += 1
    palette = [(0, 0, 0)] + palette
    index = {c: i for i, c in enumerate(palette)}
    palette += [(0, 0, 0)] * (256 - len(palette))

    rows = []
    mask_rows = []
    for y in reversed(range(SIZE)):  # bottom-up
        rows.append(bytes(index[pixels[(x, y)]] if (x, y) in pixels else 0 for x in range(SIZE)))
        bits = 0
        mask = bytearray(8)  # 48 bits padded to 64
        for x in range(SIZE):
            if (x, y) not in pixels:
                mask[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(mask))
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in palette)
    image = header + colours + b''.join(rows) + b''.join(mask_rows)
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    with open(path, 'wb') as f:
        f.write(directory + entry + image)


if __name__ == '__main__':
    write_ico(draw(), sys.argv[1] if len(sys.argv) > 1 else 'src/app/veloria.ico')
