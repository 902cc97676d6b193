"""Driving veloria.exe under Wine from the Linux side.

Each test lays out a program folder of its own (veloria.exe, language/,
perhaps a Config.ini), starts the program under Wine, drives it with real
X input (xdotool) and looks at it through probe.exe. Every wait is bounded.
The test command sets WINEPREFIX, DISPLAY and VELORIA_BUILD (the folder
holding veloria.exe and probe.exe).
"""
import os
import select
import shutil
import subprocess
import tempfile
import time
import unittest

BUILD = os.environ.get('VELORIA_BUILD', '')
PACKAGES = os.environ.get('VELORIA_PACKAGES', '')  # the release, made by the test command
PROBE = os.path.join(BUILD, 'probe.exe')
TIMEOUT = 30
# The version of each program the build made, from the build's version.txt.
with open(os.path.join(BUILD or '.', 'version.txt')) as built:
    VERSIONS = dict(line.split() for line in built if line.strip())
VERSION = VERSIONS['veloria.exe']
MUTEX = 'Veloria' + VERSION


def quiet(command):
    return subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          timeout=TIMEOUT)


_server = []  # the one probe.exe that answers for the whole run


def probe(*args, check=True):
    """probe.exe's answer as lines, None when it failed (unless `check`)."""
    if not _server or _server[0].poll() is not None:
        _server[:] = [subprocess.Popen(['wine', PROBE, 'serve'], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                       stderr=subprocess.DEVNULL)]
    server = _server[0]
    server.stdin.write(('\t'.join(map(str, args)) + '\n').encode())
    server.stdin.flush()
    received, deadline = b'', time.monotonic() + TIMEOUT
    while not received.startswith(b'end ') and b'\nend ' not in received or not received.endswith(b'\n'):
        ready, _, _ = select.select([server.stdout], [], [], max(0.0, deadline - time.monotonic()))
        chunk = os.read(server.stdout.fileno(), 65536) if ready else b''
        if not chunk:
            ended = server.poll()  # None: it said nothing more for TIMEOUT seconds
            server.kill()
            server.wait(timeout=10)
            raise AssertionError(f'probe {args} gave no whole answer (exit code {ended}): {received[-300:]!r}')
        received += chunk
    lines = received.decode('utf-8').replace('\r', '').split('\n')
    code = int(lines[-2].split()[1])
    if check and code != 0:
        raise AssertionError(f'probe {args} failed: {lines}')
    return [line for line in lines[:-2] if line.strip()] if code == 0 else None


def windows(klass=None, parent='0'):
    """The windows of `klass` (any class if None) whose top-level window is
    `parent` ('0' for top-level windows, None for all)."""
    found = []
    for line in probe('windows'):
        handle, top, name, pid, visible, style, exstyle, layered, rect, title = line.split('\t', 9)
        if klass in (None, name) and parent in (None, top):
            flags = layered.split()  # the level counts where LWA_ALPHA (2) is set
            found.append({'handle': handle, 'class': name, 'pid': int(pid), 'visible': visible == '1',
                          'enabled': not int(style, 16) & 0x08000000, 'exstyle': int(exstyle, 16), 'layered': layered,
                          'alpha': int(flags[2]) if len(flags) == 3 and int(flags[0]) & 2 else None,
                          'rect': [int(v) for v in rect.split(',')], 'title': title})
    return found


def info(handle):
    return next(w for w in windows(parent=None) if w['handle'] == handle)


def alpha_of(handle):
    """The window's level, None when it is not layered."""
    return info(handle)['alpha']


def rect_of(handle):
    return info(handle)['rect']


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def wait_until(condition, timeout, what='condition'):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f'timed out after {timeout}s waiting for {what}')
        time.sleep(0.2)


def wait_alpha(handle, expected, what='the window'):
    wait_until(lambda: alpha_of(handle) == expected, 5, f'{what} at {expected}')


def windows_path(path):
    return 'Z:' + os.path.abspath(path).replace('/', '\\')


def xdotool(*args):
    subprocess.run(['xdotool', *map(str, args)], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=TIMEOUT, check=True)


def shipped(name):
    with open(os.path.join(BUILD, 'language', name), 'rb') as file:
        return file.read()


class ProgramTestCase(unittest.TestCase):
    """Starts programs in folders of their own and, whatever the test did,
    ends them and makes sure they are gone before the next test."""

    def setUp(self):
        self.processes, self.folders, self.served = [], [], []
        self.addCleanup(self.end_everything)

    def end_everything(self):
        for window in windows('Veloria'):
            probe('close', window['handle'], check=False)
        for process in self.served:
            process.kill()
        for process in self.processes + self.served:
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(timeout=10)
            if process.stdout:
                process.stdout.close()
        wait_until(lambda: not windows('Veloria') and probe('mutex', MUTEX) == ['free'], 15,
                   'the programs of the test to end')
        for folder in self.folders:
            shutil.rmtree(folder, ignore_errors=True)

    def scratch(self, name, prefix='veloria-scratch-'):
        """A path `name` in a folder of its own, removed after the test."""
        self.folders.append(tempfile.mkdtemp(prefix=prefix))
        return os.path.join(self.folders[-1], name)

    def folder(self, config=None, languages=None, exe='veloria.exe'):
        # A name no code page spells whole, as a user's name may make it.
        folder = tempfile.mkdtemp(prefix='veloria \u017b\u00f3\u0142w \u03a9\u03bc\u03ad\u03b3\u03b1 \u65e5\u672c ')
        self.folders.append(folder)
        shutil.copy(os.path.join(BUILD, exe), os.path.join(folder, 'veloria.exe'))
        os.mkdir(os.path.join(folder, 'language'))
        for name in languages or os.listdir(os.path.join(BUILD, 'language')):
            with open(os.path.join(folder, 'language', name), 'wb') as file:
                file.write(languages[name] if languages else shipped(name))
        if config is not None:
            with open(os.path.join(folder, 'Config.ini'), 'wb') as file:
                file.write(config if isinstance(config, bytes) else config.encode())
        return folder

    def wine(self, command, **kwargs):
        """Starts a Windows program; what Wine says of it, its own errors
        too (a program that ends before it can say anything), goes to the
        file `self.said`, for a failure's message."""
        handle, self.said = tempfile.mkstemp(prefix='veloria-wine-')
        os.close(handle)
        self.addCleanup(os.unlink, self.said)
        env = {**(kwargs.pop('env', None) or os.environ), 'WINEDEBUG': 'err+all'}
        with open(self.said, 'wb') as errors:
            return subprocess.Popen(['wine', *command], stdin=subprocess.DEVNULL, stderr=errors, env=env, **kwargs)

    def wine_said(self):
        """What Wine said of the program started last, and what each Windows
        process is doing (its age tells whether the desktop's own started
        again), to tell where a start stood still."""
        with open(self.said, 'rb') as errors:
            told = errors.read()[-500:].decode(errors='replace')
        states = quiet(['ps', '-eo', 'pid,stat,wchan:24,etimes,args']).stdout.decode(errors='replace')
        return f'{told!r}; processes {[line[:160] for line in states.splitlines() if ".exe" in line]}'

    def launch(self, folder, env=None):
        process = self.wine([os.path.join(folder, 'veloria.exe')], cwd=folder, env=env, stdout=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def start(self, folder=None, count=1, env=None, **kwargs):
        """Starts veloria.exe (in a new folder unless given one) and waits
        for `count` main windows; gives the process and the newest one."""
        folder = folder or self.folder(**kwargs)
        process = self.launch(folder, env)
        try:
            found = wait_until(lambda: (lambda w: w if len(w) == count else None)(windows('Veloria')), 25,
                               'the main window')
        except AssertionError as error:
            told = [probe('text', s['handle']) for box in windows('#32770') for s in windows('Static', box['handle'])]
            raise AssertionError(f'{error}; exit code {process.poll()}; boxes {told}; {self.wine_said()}') from None
        return process, found[0]

    def serve(self, *args, count=1, exe=PROBE):
        """Runs a serving probe command (window, tray), perhaps from a copy
        of the probe named as another program; gives its handles."""
        process = self.wine([exe, *map(str, args)], stdout=subprocess.PIPE)
        self.served.append(process)
        received, deadline = b'', time.monotonic() + TIMEOUT
        while received.count(b'\n') < count and not received.startswith(b'error'):
            ready, _, _ = select.select([process.stdout], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(process.stdout.fileno(), 4096) if ready else b''
            if not chunk:
                raise AssertionError(f'probe {args} made nothing in time (exit code {process.poll()}; '
                                     f'{self.wine_said()})')
            received += chunk
        if received.startswith(b'error'):
            raise AssertionError(f'probe {args} could not make its windows ({received.decode().strip()})')
        return received.decode().split()[:count]

    def foreign(self, kind='plain', x=650, y=150):
        return self.serve('window', kind.capitalize(), kind, x, y, count={'dialog': 2, 'edit': 2, 'owned': 3}.get(kind, 1))


# The tray: Wine's taskbar draws the icons at its right end, the first one
# outermost, each in a square of 20 pixels.
def tray_icon():
    [taskbar] = windows('Shell_TrayWnd')
    left, top, right, bottom = taskbar['rect']
    return right - 10, (top + bottom) // 2


def tooltip_text():
    """The text of the tooltip on show, trailing blanks kept."""
    shown = [w for w in windows('tooltips_class32') if w['visible']]
    text = probe('text', shown[0]['handle'], check=False) if shown else None
    return text[0] if text else None


def menu_lines(pid):
    """What the menu reader found inside process `pid`, as lists of fields."""
    path = os.path.join(BUILD, f'menu-{pid}.txt')
    probe('menu', pid)
    wait_until(lambda: os.path.exists(path), 10, 'the menu reader')
    with open(path, 'rb') as file:
        lines = file.read().decode('utf-8').splitlines()
    os.unlink(path)
    return [line.split('\t') for line in lines]


def list_rows(pid, handle):
    """The rows of list view `handle`: its two columns' texts and 1 when
    selected, tab-separated."""
    return ['\t'.join(f[2:]) for f in menu_lines(pid) if f[0] == 'row' and f[1] == handle]


def system_menu(pid, handle):
    """The system menu of window `handle`: (id, greyed) of each item."""
    return [(int(f[2]), f[3] == '1') for f in menu_lines(pid) if f[0] == 'sysitem' and f[1] == handle]


def read_menu(pid):
    """The tray menu on show: its rectangle, its eleven entries and the
    language entries, or None."""
    popups = []
    for fields in menu_lines(pid):
        if fields[0] == 'popup':
            popups.append({'rect': [int(v) for v in fields[1].split(',')], 'items': []})
        elif fields[0] == 'item' and popups:
            popups[-1]['items'].append({'level': int(fields[1]), 'kind': fields[3], 'checked': fields[4] == '1',
                                        'rect': [int(v) for v in fields[5].split(',')], 'caption': fields[6],
                                        'lit': fields[7] == '1'})
    for popup in popups:
        top = [item for item in popup['items'] if item['level'] == 0]
        if len(top) == 11:
            return {'rect': popup['rect'], 'entries': top,
                    'languages': [item for item in popup['items'] if item['level'] == 1]}
    return None


def click_at(point, button=1):
    xdotool('mousemove', *point)
    time.sleep(0.2)
    xdotool('click', button)


def open_menu(pid):
    click_at(tray_icon(), 3)
    return wait_until(lambda: read_menu(pid), 10, 'the tray menu')


def dismiss_menu(pid):
    click_at((640, 300))
    wait_until(lambda: read_menu(pid) is None, 5, 'the menu to close')


def click_entry(pid, menu, entry):
    """Clicks the entry `entry(menu)` once the menu has lit it under the
    pointer (a menu listed as shown may not be on the X server's screen
    yet, and a click then goes to what lies under it); gives the click's
    time."""
    xdotool('mousemove', *centre(entry(menu)['rect']))
    wait_until(lambda: (lambda menu: menu and entry(menu)['lit'])(read_menu(pid)), 10,
               'the entry under the pointer to light up')
    clicked = time.monotonic()
    xdotool('click', 1)
    return clicked


def choose(pid, index, language=None):
    """Chooses tray menu entry `index`, or the language entry `language`,
    and waits for the menu to close: a menu opened next is not this one."""
    click_entry(pid, open_menu(pid), lambda menu: menu['entries'][index])
    if language is None:
        return menu_closed()
    menu = wait_until(lambda: (lambda m: m if m and m['languages'][0]['rect'] != [0, 0, 0, 0] else None)(
        read_menu(pid)), 10, 'the language submenu')
    [entry] = [item for item in menu['languages'] if item['caption'] == language]
    # Along the submenu's edge first, so that the pointer crosses no entry.
    xdotool('mousemove', entry['rect'][2] - 3, centre(menu['entries'][index]['rect'])[1])
    time.sleep(0.2)
    click_entry(pid, menu, lambda menu: [item for item in menu['languages'] if item['caption'] == language][0])
    menu_closed()


def menu_closed():
    # Asked of the windows, not of the program: a chosen Close ends it.
    wait_until(lambda: not [w for w in windows('#32768') if w['visible']], 5, 'the menu to close')


def drag(start, end, keys=()):
    """A real left-button drag, `keys` held (at the X server, where Wine
    reads them) while the button comes up."""
    xdotool('mousemove', *start)
    time.sleep(0.2)
    xdotool('mousedown', 1)
    time.sleep(0.2)
    xdotool('mousemove', (start[0] + end[0]) // 2, (start[1] + end[1]) // 2)
    time.sleep(0.1)
    xdotool('mousemove', *end)
    time.sleep(0.2)
    for key in keys:
        xdotool('keydown', key)
    time.sleep(0.2)
    try:
        xdotool('mouseup', 1)
        time.sleep(0.3)
    finally:
        for key in reversed(keys):
            xdotool('keyup', key)


def child(parent, klass):
    return wait_until(lambda: windows(klass, parent=parent), 5, klass)[0]


def open_pointer_window():
    """Double-clicks the tray icon; gives the pointer window and the centre
    of its pointer picture."""
    xdotool('mousemove', *tray_icon())
    time.sleep(0.3)
    xdotool('click', '--repeat', 2, '--delay', 80, 1)
    [window] = wait_until(lambda: windows('VeloriaMainControl'), 10, 'the pointer window')
    return window, centre(child(window['handle'], 'VeloriaPointerImage')['rect'])


def level_popup():
    """The open level popup and its slider, or None (also while it is made
    or ends, without its slider)."""
    found = windows('VeloriaSliderControl')
    sliders = windows('msctls_trackbar32', parent=found[0]['handle']) if found else []
    return (found[0], sliders[0]['handle']) if sliders else None


def slider_position(slider):
    return int(probe('send', slider, 0x400, 0, 0)[0])  # TBM_GETPOS


def dialogs(pid, title=None):
    """The dialogs and message boxes process `pid` shows (of `title`)."""
    return [w for w in windows('#32770') if w['pid'] == pid and title in (None, w['title'])]


def open_options(pid):
    """The options dialog, once in front: keys pressed before then would go
    to the window that was."""
    choose(pid, 5)
    # Shown once it is made whole, captions and all.
    dialog = wait_until(lambda: [d for d in dialogs(pid) if d['visible']], 10, 'the options dialog')[0]
    wait_until(lambda: probe('front') == [dialog['handle']], 5, 'the options dialog in front')
    hand_keyboard_to(dialog['handle'])
    # And its keyboard focus: Wine settles a window's input focus after its
    # activation, and the X server's after that.
    wait_until(lambda: keys_reach(dialog), 5, "the options dialog's keyboard focus")
    return dialog


def hand_keyboard_to(handle):
    """The X server's focus to the window of `handle`, as a window manager
    would give it to the window in front: Xvfb has none, and Wine, bringing
    a window to the front while another of its windows has the X focus,
    leaves the focus there, so that keys typed go to that other window."""
    x_window = int(probe('xwindow', handle)[0], 16)
    if x_window:
        xdotool('windowfocus', '--sync', x_window)


def keys_reach(dialog):
    """Whether keys typed now go to `dialog`: its thread's focus is in it,
    and the X server's focus is on its window."""
    focus = probe('focus', dialog['handle'])[1]
    x = subprocess.run(['xdotool', 'getwindowfocus', 'getwindowname'], capture_output=True, timeout=TIMEOUT)
    return (focus in [w['handle'] for w in windows(None, dialog['handle'])] and
            x.stdout.decode(errors='replace').strip() == dialog['title'])


def programs_tab(pid, klass):
    """The options dialog on its programs tab: its visible `klass` windows."""
    dialog = open_options(pid)
    time.sleep(0.5)
    xdotool('key', '--delay', 60, 'ctrl+Tab', 'ctrl+Tab')
    try:
        return wait_until(lambda: [w for w in windows(klass, None) if w['visible']], 5, klass)
    except AssertionError as error:
        # Where the keys may have gone: the dialog thread's focus and the X server's.
        x = subprocess.run(['xdotool', 'getwindowfocus', 'getwindowname'], capture_output=True, timeout=TIMEOUT)
        raise AssertionError(f"{error}; dialog {dialog['handle']}, its thread's active and focus windows "
                             f"{probe('focus', dialog['handle'])}, in front {probe('front')}, "
                             f"X focus {x.stdout.decode(errors='replace').strip()!r}") from None


def press_on(window, key):
    """Activates `window` by its caption, then presses `key`."""
    left, top, right, _ = rect_of(window['handle'])
    click_at(((left + right) // 2, top + 6))
    time.sleep(0.3)
    xdotool('key', key)
    time.sleep(0.3)
