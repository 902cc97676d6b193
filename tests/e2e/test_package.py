"""The release packages under Wine: the 64-bit installer run silently
installs for the user, the program runs from the installed folder and saves
its settings there, and the uninstaller leaves nothing behind; the portable
zip unpacks and runs. The test command makes the packages first
(VELORIA_PACKAGES); the 32-bit ones are checked by their contents only (this
Wine runs 64-bit programs)."""
import glob
import os
import re
import shutil
import tempfile
import time
import unittest
import zipfile

from harness import VERSION, ProgramTestCase, open_options, press_on, quiet, wait_until, windows

PACKAGES = os.environ.get('VELORIA_PACKAGES', '')
USERS = os.path.join(os.environ.get('WINEPREFIX', ''), 'drive_c', 'users')
RUN_KEYS = [r'HKCU\Software\Microsoft\Windows\CurrentVersion\Run',
            r'HKLM\Software\Microsoft\Windows\CurrentVersion\Run']
UNINSTALL_KEY = r'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Veloria'
SHELL_FOLDERS = r'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
EMULATION_KEY = r'HKCU\Software\Microsoft\Internet Explorer\Main\FeatureControl\FEATURE_BROWSER_EMULATION'


def package(name):
    return os.path.join(PACKAGES, f'veloria-{VERSION}-{name}')


def user_path(*parts):
    """The path under the Wine user's profile, or None."""
    found = glob.glob(os.path.join(USERS, '*', *parts))
    return found[0] if found else None


def reg(*args):
    return quiet(['wine', 'reg', *args]).stdout.decode('cp1252')


@unittest.skipUnless(os.path.isdir(PACKAGES), 'no packages made (scripts/package)')
class Packages(ProgramTestCase):

    def test_the_installer_installs_for_the_user_and_the_uninstaller_leaves_nothing(self):
        # A user whose name no code page spells: the profile's folder says so.
        reg('add', SHELL_FOLDERS, '/v', 'Local AppData', '/t', 'REG_EXPAND_SZ', '/f', '/d',
            'C:\\users\\Żółw Ωμέγα 日本\\AppData\\Local')
        self.addCleanup(reg, 'add', SHELL_FOLDERS, '/v', 'Local AppData', '/t', 'REG_EXPAND_SZ', '/f', '/d',
                        '%USERPROFILE%\\AppData\\Local')
        self.assertEqual(quiet(['wine', package('x64-setup.exe'), '/S']).returncode, 0)
        folder = wait_until(lambda: user_path('AppData', 'Local', 'Programs', 'Veloria', 'uninstall.exe'), 30,
                            'the installed program')
        folder = os.path.dirname(folder)
        self.addCleanup(shutil.rmtree, folder, True)
        self.assertTrue(os.path.isfile(os.path.join(folder, 'language', 'english.ini')))
        self.assertTrue(user_path('AppData', 'Roaming', 'Microsoft', 'Windows', 'Start Menu', 'Programs',
                                  'Veloria.lnk'))
        self.assertIn(f'DisplayVersion    REG_SZ    {VERSION}', reg('query', UNINSTALL_KEY))

        # The installed program runs and saves its settings beside itself.
        self.start(folder)
        main = windows('Veloria')[0]
        press_on(open_options(main['pid']), 'Return')
        wait_until(lambda: os.path.isfile(os.path.join(folder, 'Config.ini')), 10, 'Config.ini')
        # The newest page engine asked for, by the program's own name.
        self.assertIn('veloria.exe    REG_DWORD    0x2af9', reg('query', EMULATION_KEY))
        # Start-with-Windows values for this folder in both keys, and one of
        # another program that must stay.
        program = 'C:\\users\\' + folder.split(os.sep)[-5] + '\\AppData\\Local\\Programs\\Veloria\\veloria.exe'
        for key in RUN_KEYS:
            reg('add', key, '/v', 'Veloria 2', '/d', program, '/f')
            self.addCleanup(reg, 'delete', key, '/v', 'Veloria 2', '/f')
        reg('add', RUN_KEYS[0], '/v', 'Other', '/d', 'C:\\other.exe', '/f')
        self.addCleanup(reg, 'delete', RUN_KEYS[0], '/v', 'Other', '/f')

        # The uninstaller closes the running program itself.
        quiet(['wine', os.path.join(folder, 'uninstall.exe'), '/S'])
        wait_until(lambda: not os.path.exists(folder), 30, 'the folder to go')
        wait_until(lambda: not windows('Veloria'), 10, 'the program to close')
        self.assertIsNone(user_path('AppData', 'Roaming', 'Microsoft', 'Windows', 'Start Menu', 'Programs',
                                    'Veloria.lnk'))
        self.assertNotIn('DisplayName', reg('query', UNINSTALL_KEY))
        self.assertNotIn('veloria.exe', reg('query', EMULATION_KEY))
        for key in RUN_KEYS:
            self.assertNotIn('Veloria 2', reg('query', key), key)
        self.assertIn('C:\\other.exe', reg('query', RUN_KEYS[0]))

    def test_the_portable_zips_hold_the_program_and_the_x64_one_runs(self):
        for arch in ('x64', 'x86'):
            with zipfile.ZipFile(package(f'{arch}-portable.zip')) as archive:
                names = set(archive.namelist())
                top = f'veloria-{VERSION}-{arch}/'
                self.assertTrue({top + 'veloria.exe', top + 'README.txt', top + 'language/english.ini'} <= names)
                if arch == 'x64':
                    unpacked = tempfile.mkdtemp(prefix='veloria portable ')
                    self.folders.append(unpacked)
                    archive.extractall(unpacked)
            # The installer's file properties carry the one version.
            with open(package(f'{arch}-setup.exe'), 'rb') as setup:
                key = 'ProductVersion'.encode('utf-16-le') + b'\0\0(?:\0\0)?'
                self.assertRegex(setup.read(), re.compile(key + VERSION.encode('utf-16-le')))
        self.start(os.path.join(unpacked, f'veloria-{VERSION}-x64'))
        time.sleep(1)
        self.assertEqual(len(windows('VeloriaBanner')), 1)
