#!/usr/bin/env python3
"""Draws the program's icon: a 256-colour .ico holding it at 48 x 48 and
at the tray's sizes for 100 % to 200 % (16, 20, 24 and 32), each drawn
at its own size rather than shrunk.

Two overlapping windows on a rounded tile; the front window is drawn
see-through, with the back window showing through it. Run it to rebuild
src/app/veloria.ico after changing the drawing.
"""
import struct
import sys

SIZES = (48, 32, 24, 20, 16)


def blend(a, b, t):
    return tuple(round(a[i] * (1 - t) + b[i] * t) for i in range(3))


def inside_rounded(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def draw(size):
    """The picture at `size` pixels: the 48-pixel design, its places scaled."""
    def at(value):
        return round(value * size / 48)
    tile_top, tile_bottom = (38, 120, 168), (18, 64, 110)
    back_body, back_bar = (236, 240, 244), (250, 170, 60)
    front_body, front_bar = (255, 255, 255), (90, 200, 230)
    pixels = {}
    for y in range(size):
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            if not inside_rounded(px, py, at(1), at(1), size - at(1), size - at(1), max(2, at(9))):
                continue
            colour = blend(tile_top, tile_bottom, y / (size - 1))
            in_back = at(7) <= x <= at(30) and at(8) <= y <= at(29)
            if in_back:
                colour = back_bar if y <= at(12) else back_body
                if x in (at(7), at(30)) or y in (at(8), at(29)):
                    colour = (40, 40, 48)
            in_front = at(17) <= x <= at(40) and at(18) <= y <= at(39)
            if in_front:
                face = front_bar if y <= at(22) else front_body
                if x in (at(17), at(40)) or y in (at(18), at(39)):
                    colour = (30, 30, 40)
                else:
                    # the front window is see-through: what lies behind shows
                    colour = blend(colour, face, 0.55)
            pixels[(x, y)] = colour
    return pixels


def image(pixels, size):
    """One 256-colour icon image: header, palette, pixels and mask, bottom-up."""
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
    stride = (size + 3) // 4 * 4
    mask_stride = (size + 31) // 32 * 4
    rows = []
    mask_rows = []
    for y in reversed(range(size)):  # bottom-up
        row = bytes(index[pixels[(x, y)]] if (x, y) in pixels else 0 for x in range(size))
        rows.append(row + bytes(stride - size))
        mask = bytearray(mask_stride)
        for x in range(size):
            if (x, y) not in pixels:
                mask[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(mask))
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in palette)
    return header + colours + b''.join(rows) + b''.join(mask_rows)


def write_ico(path):
    images = [image(draw(size), size) for size in SIZES]
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b''
    for size, data in zip(SIZES, images):
        entries += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(directory + entries + b''.join(images))


if __name__ == '__main__':
    write_ico(sys.argv[1] if len(sys.argv) > 1 else 'src/app/veloria.ico')
