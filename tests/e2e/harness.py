"""Driving veloria.exe under Wine from the Linux side.

Each test lays out a program folder of its own (veloria.exe, language/,
perhaps a Config.ini), starts the program under Wine and looks at it from
outside through probe.exe, a small Windows program that reads window state
and makes windows for the program to act on. Every wait is bounded.

The environment comes from the test command: WINEPREFIX and DISPLAY of the
run, VELORIA_BUILD the folder holding veloria.exe and probe.exe.
"""
import os
import select
import shutil
import subprocess
import tempfile
import time
import unittest

BUILD = os.environ.get('VELORIA_BUILD', '')
PROBE = os.path.join(BUILD, 'probe.exe')
MAIN_CLASS = 'Veloria'
WINE_TIMEOUT = 30


def wine_command(exe, *args):
    return ['wine', exe, *[str(a) for a in args]]


def probe(*args, timeout=WINE_TIMEOUT, check=True):
    """Runs probe.exe and gives back its output lines."""
    result = subprocess.run(wine_command(PROBE, *args), stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, timeout=timeout, text=True)
    if check and result.returncode != 0:
        raise AssertionError(f'probe {" ".join(map(str, args))} failed ({result.returncode}): {result.stdout}')
    return [line.strip() for line in result.stdout.splitlines() if line.strip()]


def main_windows():
    return probe('find', MAIN_CLASS)


def wait_for_main_windows(count, timeout_ms=15000):
    lines = probe('wait', MAIN_CLASS, count, timeout_ms, timeout=timeout_ms / 1000 + WINE_TIMEOUT, check=False)
    if len(lines) != count or lines[0].startswith('found'):
        raise AssertionError(f'expected {count} main windows, probe said {lines}')
    return lines


def window_info(handle):
    info = {}
    for line in probe('info', handle, check=False):
        key, _, value = line.partition('=')
        info[key] = value
    return info


def mutex_state(name):
    return probe('mutex', name)[0]


def wait_until(condition, timeout, interval=0.2, what='condition'):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f'timed out after {timeout}s waiting for {what}')
        time.sleep(interval)


def windows_path(path):
    """The name Wine gives a Linux path (drive Z: is the root)."""
    return 'Z:' + os.path.abspath(path).replace('/', '\\')


def xdotool(*args):
    subprocess.run(['xdotool', *[str(a) for a in args]], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=WINE_TIMEOUT, check=True)


def register_browser(record_file):
    """Makes the prefix hand http addresses to the probe, which writes them
    to `record_file`."""
    command = f'"{windows_path(PROBE)}" record "{windows_path(record_file)}" "%1"'
    for args in (['reg', 'add', r'HKCR\http\shell\open\command', '/ve', '/d', command, '/f'],
                 ['reg', 'delete', r'HKCR\http\shell\open\ddeexec', '/f']):
        subprocess.run(['wine', *args], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=WINE_TIMEOUT)


class ProgramFolder:
    """A temporary program folder holding a copy of veloria.exe and, unless
    told otherwise, the shipped language files."""

    def __init__(self, exe_name='veloria.exe', config=None, languages=None):
        self.path = tempfile.mkdtemp(prefix='veloria-program-')
        self.exe = os.path.join(self.path, 'veloria.exe')
        shutil.copy(os.path.join(BUILD, exe_name), self.exe)
        self.language = os.path.join(self.path, 'language')
        if languages is None:
            shutil.copytree(os.path.join(BUILD, 'language'), self.language)
        else:
            os.mkdir(self.language)
            for name, contents in languages.items():
                with open(os.path.join(self.language, name), 'wb') as file:
                    file.write(contents if isinstance(contents, bytes) else contents.encode('cp1252'))
        if config is not None:
            self.write_config(config)

    @property
    def config_path(self):
        return os.path.join(self.path, 'Config.ini')

    def write_config(self, contents):
        mode = 'wb' if isinstance(contents, bytes) else 'w'
        with open(self.config_path, mode) as config:
            config.write(contents)

    def read_config(self):
        with open(self.config_path, 'rb') as config:
            return config.read()

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)


class ProgramTestCase(unittest.TestCase):
    """Starts programs and cleans up after them, whatever the test did."""

    def setUp(self):
        self.processes = []
        self.folders = []

    def tearDown(self):
        # Close what is still running the way the system would, then make sure.
        for handle in main_windows():
            probe('close', handle, check=False)
        for process in self.processes:
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(timeout=10)
        # The next test starts only once this one's copies are truly gone:
        # a copy still holding the instance would make the next one a
        # duplicate that ends at once.
        wait_until(lambda: not main_windows() and mutex_state('Veloria2.0.0') == 'free', 15,
                   what='the programs of the test to end')
        for folder in self.folders:
            folder.remove()

    def make_folder(self, **kwargs):
        folder = ProgramFolder(**kwargs)
        self.folders.append(folder)
        return folder

    def start(self, folder):
        process = subprocess.Popen(wine_command(folder.exe), cwd=folder.path, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def start_and_wait(self, folder, expected_windows=1):
        process = self.start(folder)
        try:
            windows = wait_for_main_windows(expected_windows, timeout_ms=25000)
        except AssertionError as error:
            raise AssertionError(f'{error}; the program exit code: {process.poll()}') from None
        return process, windows

    def start_program(self, **kwargs):
        """Starts a program in a new folder; gives folder, process, main
        window and process id."""
        folder = self.make_folder(**kwargs)
        process, windows = self.start_and_wait(folder)
        window = windows[-1]
        return folder, process, window, int(window_info(window)['pid'])


# The tray. Wine's taskbar draws the icons at its right end, the first one
# outermost, each in a square of the small icon size plus a border of 2.
TRAY_ICON_SIZE = 20


def taskbar_rect():
    [taskbar] = probe('find', 'Shell_TrayWnd')
    return [int(v) for v in window_info(taskbar)['rect'].split(',')]


def tray_icon_centre(index=0):
    left, top, right, bottom = taskbar_rect()
    return right - TRAY_ICON_SIZE * index - TRAY_ICON_SIZE // 2, (top + bottom) // 2


def tray_icon_colours(index=0):
    x, y = tray_icon_centre(index)
    half = TRAY_ICON_SIZE // 2 - 2
    return int(probe('colours', x - half, y - half, x + half, y + half)[0])


def tooltip_text():
    """The text of the tooltip on show, exactly (trailing blanks kept)."""
    for line in probe('children', 0):
        handle, klass, visible, _rect, _title = (line.split('\t') + [''] * 5)[:5]
        if klass == 'tooltips_class32' and visible == '1':
            result = subprocess.run(wine_command(PROBE, 'text', handle), stdin=subprocess.DEVNULL,
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=WINE_TIMEOUT)
            return result.stdout.decode('cp1252').rstrip('\r\n') if result.returncode == 0 else None
    return None


class Menu:
    """The popup menus a program shows, read from inside it."""

    def __init__(self, lines):
        self.popups = []
        for line in lines:
            fields = line.split('\t')
            if fields[0] == 'popup':
                self.popups.append({'rect': [int(v) for v in fields[2].split(',')], 'items': []})
            elif fields[0] == 'item' and self.popups:
                caption = fields[6] if len(fields) > 6 else ''
                self.popups[-1]['items'].append({
                    'level': int(fields[1]), 'index': int(fields[2]), 'kind': fields[3],
                    'checked': fields[4] == '1', 'rect': [int(v) for v in fields[5].split(',')],
                    'caption': caption})

    @property
    def main(self):
        """The top entries of the tray menu, with the language entries under
        'languages'."""
        for popup in self.popups:
            top = [item for item in popup['items'] if item['level'] == 0]
            if len(top) == 10:
                languages = [item for item in popup['items'] if item['level'] == 1]
                return {'rect': popup['rect'], 'entries': top, 'languages': languages}
        return None


def read_menu(pid):
    lines = subprocess.run(wine_command(PROBE, 'menu', pid), stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, timeout=WINE_TIMEOUT).stdout
    return Menu([line.rstrip('\r') for line in lines.decode('cp1252').split('\n') if line.strip()])


def click_at(x, y, button=1):
    xdotool('mousemove', x, y)
    time.sleep(0.2)
    xdotool('click', button)


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def open_tray_menu(pid, index=0):
    """Right-clicks the tray icon and waits for the menu; gives the menu and
    the point clicked."""
    x, y = tray_icon_centre(index)
    click_at(x, y, 3)
    menu = wait_until(lambda: read_menu(pid).main, 10, what='the tray menu')
    return menu, (x, y)


def dismiss_menu():
    click_at(640, 300)


def choose_menu_entry(pid, index):
    menu, _ = open_tray_menu(pid)
    click_at(*centre(menu['entries'][index]['rect']))


def choose_language(pid, name):
    menu, _ = open_tray_menu(pid)
    click_at(*centre(menu['entries'][6]['rect']))
    menu = wait_until(lambda: (lambda m: m if m and m['languages'][0]['rect'] != [0, 0, 0, 0] else None)(
        read_menu(pid).main), 10, what='the language submenu')
    [entry] = [item for item in menu['languages'] if item['caption'] == name]
    # Along the submenu's entries, so the pointer does not cross others.
    x, y = centre(entry['rect'])
    xdotool('mousemove', entry['rect'][2] - 3, centre(menu['entries'][6]['rect'])[1])
    time.sleep(0.2)
    click_at(x, y)


# Windows of another process for the program to act on.
class ForeignWindows:
    """Windows made by a probe process: `kind` plain gives [window], dialog
    gives [dialog, button], owned gives [owner, owned dialog, button]."""

    def __init__(self, title, kind='plain', x=200, y=200):
        self.process = subprocess.Popen(wine_command(PROBE, 'window', title, kind, x, y), stdin=subprocess.DEVNULL,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        expected = {'plain': 1, 'dialog': 2, 'owned': 3}[kind]
        self.handles = []
        received = b''
        deadline = time.monotonic() + WINE_TIMEOUT
        while received.count(b'\n') < expected:
            ready, _, _ = select.select([self.process.stdout], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(self.process.stdout.fileno(), 4096) if ready else b''
            if not chunk:
                self.close()
                raise AssertionError(f'the probe made no {kind} window in time')
            received += chunk
        self.handles = [line.strip() for line in received.decode().split('\n') if line.strip()][:expected]

    def close(self):
        if self.handles:
            probe('close', self.handles[0], check=False)
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait(timeout=10)
        self.process.stdout.close()


def rect_of(handle):
    return [int(v) for v in window_info(handle)['rect'].split(',')]


def alpha_of(handle):
    """The window's level, or None when it is not layered."""
    info = window_info(handle)
    return int(info['alpha']) if info['layered'] == '1' else None


def child_of_class(parent, klass):
    for line in probe('children', parent):
        fields = line.split('\t')
        if fields[1] == klass:
            return fields[0]
    return None


MODIFIER_KEYS = {'shift': 'shift', 'ctrl': 'ctrl', 'alt': 'alt'}


def drag(start, end, keys=()):
    """A real drag with the left button, holding `keys` (at the X server,
    where Wine takes them from) while the button comes up."""
    xdotool('mousemove', *start)
    time.sleep(0.2)
    xdotool('mousedown', 1)
    time.sleep(0.2)
    xdotool('mousemove', (start[0] + end[0]) // 2, (start[1] + end[1]) // 2)
    time.sleep(0.1)
    xdotool('mousemove', *end)
    time.sleep(0.2)
    for key in keys:
        xdotool('keydown', MODIFIER_KEYS[key])
    time.sleep(0.2)
    try:
        xdotool('mouseup', 1)
        time.sleep(0.3)
    finally:
        for key in reversed(keys):
            xdotool('keyup', MODIFIER_KEYS[key])


def double_click_tray_icon(index=0):
    xdotool('mousemove', *tray_icon_centre(index))
    time.sleep(0.3)
    xdotool('click', '--repeat', 2, '--delay', 80, 1)


def open_pointer_window():
    """Double-clicks the tray icon; gives the pointer window and the centre
    of its pointer picture."""
    double_click_tray_icon()
    [window] = wait_until(lambda: probe('find', 'VeloriaMainControl'), 10, what='the pointer window')
    image = wait_until(lambda: child_of_class(window, 'VeloriaPointerImage'), 5, what='the pointer picture')
    return window, centre(rect_of(image))


TBM_GETPOS = 0x400


def level_popup():
    """The open level popup and its slider, or None."""
    found = probe('find', 'VeloriaSliderControl')
    if not found:
        return None
    return found[0], child_of_class(found[0], 'msctls_trackbar32')


def slider_position(slider):
    return int(probe('send', slider, TBM_GETPOS, 0, 0)[0])


def key_on_level_popup(popup, key):
    """Activates the popup by its caption, then presses `key`."""
    left, top, right, _bottom = rect_of(popup)
    click_at((left + right) // 2, top + 6)
    time.sleep(0.3)
    xdotool('key', key)
    time.sleep(0.3)
