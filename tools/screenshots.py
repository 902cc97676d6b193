"""The README's pictures: drives veloria.exe under Wine as the end-to-end
tests do (tests/e2e/harness.py) and writes cropped PNG files into
docs/screenshots/, at 100 % and one at 150 %. Run by scripts/screenshots, which sets WINEPREFIX,
DISPLAY and VELORIA_BUILD (a build folder holding veloria.exe, probe.exe,
menu_reader.dll, screenshot.exe, language/ and version.txt).

The screen is taken inside Wine by screenshot.exe, which composes it as
Windows shows it (layered windows blended at their level) and writes a
BMP; the BMP is cut to the interesting area and written as a PNG here,
with struct and zlib only."""
import os
import struct
import sys
import tempfile
import time
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, 'tests', 'e2e'))

from harness import (BUILD, ProgramTestCase, dialogs, drag, info, open_menu, open_options,  # noqa: E402
                     open_pointer_window, probe, quiet, rect_of, tray_icon, wait_alpha, wait_until, windows,
                     windows_path)

OUT = os.path.join(ROOT, 'docs', 'screenshots')
WM_SYSCOMMAND, SC_CLOSE = 0x112, 0xF060
HALF = 128


def read_bmp(path):
    """A 24-bit BMP as (width, height, rows top-down of RGB bytes)."""
    with open(path, 'rb') as file:
        data = file.read()
    if data[:2] != b'BM':
        raise ValueError(f'{path} is not a BMP')
    offset, = struct.unpack_from('<I', data, 10)
    width, height, _, bits, compression = struct.unpack_from('<iiHHI', data, 18)
    if bits != 24 or compression != 0:
        raise ValueError(f'{path}: only uncompressed 24-bit pictures are read')
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + stride * (abs(height) - 1 - y if height > 0 else y)
        bgr = data[start:start + width * 3]
        rgb = bytearray(len(bgr))
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        rows.append(bytes(rgb))
    return width, abs(height), rows


def png_chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF)


def filtered(row, previous):
    """The row with the PNG filter (none, sub or up) that leaves the
    smallest sum of bytes taken as signed: a cheap guess at what packs best."""
    sub = bytes((row[i] - (row[i - 3] if i >= 3 else 0)) & 0xFF for i in range(len(row)))
    up = bytes((row[i] - previous[i]) & 0xFF for i in range(len(row)))
    return min(((0, row), (1, sub), (2, up)), key=lambda pair: sum(b if b < 128 else 256 - b for b in pair[1]))


def write_png(path, width, rows):
    raw = bytearray()
    previous = bytes(len(rows[0]))
    for row in rows:
        kind, line = filtered(row, previous)
        raw.append(kind)
        raw += line
        previous = row
    header = struct.pack('>IIBBBBB', width, len(rows), 8, 2, 0, 0, 0)
    with open(path, 'wb') as file:
        file.write(b'\x89PNG\r\n\x1a\n' + png_chunk(b'IHDR', header) +
                   png_chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + png_chunk(b'IEND', b''))


def union(*rects):
    return [min(r[0] for r in rects), min(r[1] for r in rects), max(r[2] for r in rects), max(r[3] for r in rects)]


def shot(name, box, margin=16):
    """The screen, composed by screenshot.exe, cut to `box` and a margin
    around it, as docs/screenshots/NAME.png."""
    time.sleep(0.5)  # the last paint lands
    handle, bmp = tempfile.mkstemp(suffix='.bmp')
    os.close(handle)
    try:
        result = quiet(['wine', os.path.join(BUILD, 'screenshot.exe'), windows_path(bmp)])
        if result.returncode != 0:
            raise AssertionError(f'screenshot.exe failed for {name}')
        width, height, rows = read_bmp(bmp)
    finally:
        os.unlink(bmp)
    left, top = max(0, box[0] - margin), max(0, box[1] - margin)
    right, bottom = min(width, box[2] + margin), min(height, box[3] + margin)
    path = os.path.join(OUT, name + '.png')
    write_png(path, right - left, [row[left * 3:right * 3] for row in rows[top:bottom]])
    print(f'{os.path.relpath(path, ROOT)}: {right - left} x {bottom - top}, {os.path.getsize(path) // 1024} KiB')


def set_scale(dpi):
    quiet(['wine', 'reg', 'add', r'HKCU\Control Panel\Desktop', '/v', 'LogPixels', '/t', 'REG_DWORD', '/d', str(dpi),
           '/f'])


class Screenshots(ProgramTestCase):

    def make_all(self):
        os.makedirs(OUT, exist_ok=True)
        # Picks at half level, so that a picked window is plainly see-through.
        _, main = self.start(config=f'[General]\r\nDefaultAlpha={HALF}\r\n')
        pid = main['pid']
        [taskbar] = windows('Shell_TrayWnd')

        # The banner by the tray, its countdown running.
        banner = wait_until(lambda: [w for w in windows('VeloriaBanner') if w['pid'] == pid and w['visible']], 10,
                            'the banner')[0]
        wait_until(lambda: info(banner['handle'])['title'].endswith('Sec'), 5, 'the countdown')
        shot('banner', union(banner['rect'], [banner['rect'][0], taskbar['rect'][1], banner['rect'][2],
                                              taskbar['rect'][3]]))
        wait_until(lambda: not info(banner['handle'])['title'].endswith('Sec'), 10, 'the end of the countdown')
        probe('send', banner['handle'], WM_SYSCOMMAND, SC_CLOSE, 0)
        wait_until(lambda: not windows('VeloriaBanner'), 5, 'the banner to close')

        # The tray menu, open above its icon.
        menu = open_menu(pid)
        x, y = tray_icon()
        shot('tray-menu', union(menu['rect'], [x - 40, taskbar['rect'][1], x + 10, taskbar['rect'][3]]))
        probe('send', main['handle'], 0x1F, 0, 0)  # WM_CANCELMODE ends the menu
        time.sleep(0.5)

        # The options dialog.
        dialog = open_options(pid)
        shot('options', rect_of(dialog['handle']))
        probe('close', dialog['handle'])
        wait_until(lambda: not dialogs(pid), 5, 'the options dialog to close')

        # The pointer window over a window of another program made
        # see-through with a pick, a dialog with a button behind it.
        pointer, image = open_pointer_window()
        left, top = pointer['rect'][:2]
        behind = self.serve('window', 'Another program', 'dialog', left - 470, top - 250, count=2)[0]
        [picked] = self.serve('window', 'A program made see-through', 'plain', left - 330, top - 150)
        target = rect_of(picked)
        drag(image, (target[0] + 90, target[1] + 120))
        wait_alpha(picked, HALF, 'the picked window')
        shot('pointer-window', union(rect_of(pointer['handle']), rect_of(behind), rect_of(picked)))

        # The options dialog at 150 % (Wine gives the programs it starts the
        # scale of LogPixels), in Russian.
        for window in windows('Veloria'):
            probe('close', window['handle'])
        wait_until(lambda: not windows('Veloria'), 10, 'the program to close')
        set_scale(144)
        try:
            _, main = self.start(config='[General]\r\nLanguageFile=russian.ini\r\n')
            dialog = open_options(main['pid'])
            shot('options-150', rect_of(dialog['handle']))
        finally:
            set_scale(96)


def main():
    screenshots = Screenshots()
    screenshots.setUp()
    try:
        screenshots.make_all()
    finally:
        screenshots.doCleanups()


if __name__ == '__main__':
    main()
