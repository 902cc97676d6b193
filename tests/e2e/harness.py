"""Driving veloria.exe under Wine from the Linux side.

Each test lays out a program folder of its own (veloria.exe, language/,
perhaps a Config.ini), starts the program under Wine and looks at it from
outside through probe.exe, a small Windows program that reads window state
and makes windows for the program to act on. Every wait is bounded.

The environment comes from the test command: WINEPREFIX and DISPLAY of the
run, VELORIA_BUILD the folder holding veloria.exe and probe.exe.
"""
import os
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


class ProgramFolder:
    """A temporary program folder holding a copy of veloria.exe."""

    def __init__(self, exe_name='veloria.exe', config=None):
        self.path = tempfile.mkdtemp(prefix='veloria-program-')
        self.exe = os.path.join(self.path, 'veloria.exe')
        shutil.copy(os.path.join(BUILD, exe_name), self.exe)
        os.mkdir(os.path.join(self.path, 'language'))
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
        windows = wait_for_main_windows(expected_windows)
        return process, windows
