"""The release packages under Wine: the 64-bit installer run silently
installs for the user, the program runs from the installed folder and saves
its settings there, and the uninstaller leaves nothing behind; the portable
zip unpacks and runs. The test command makes the packages first
(VELORIA_PACKAGES); the 32-bit ones are checked by their contents only (this
Wine runs 64-bit programs)."""
import glob
import json
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
import zipfile

import yaml

from harness import PACKAGES, VERSION, ProgramTestCase, open_options, press_on, quiet, wait_until, windows

DOWNLOAD = 'https://www.veloria.example/software/vl/download/'
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

    def test_packed_again_from_another_folder_later_every_file_is_the_same_and_summed(self):
        # The test command builds and packs the same source a second time in a copy elsewhere.
        again = os.environ.get('VELORIA_PACKAGES_AGAIN', '')
        self.assertTrue(os.path.isdir(again), 'the second packing made nothing')
        made = {os.path.relpath(os.path.join(top, name), PACKAGES) for top, _, names in os.walk(PACKAGES)
                for name in names}
        for name in sorted(made):
            with open(os.path.join(PACKAGES, name), 'rb') as first, open(os.path.join(again, name), 'rb') as second:
                self.assertEqual(first.read(), second.read(), name)
        self.assertEqual(quiet(['sh', '-c', f'cd "{PACKAGES}" && sha256sum -c --strict SHA256SUMS']).returncode, 0)
        with open(os.path.join(PACKAGES, 'SHA256SUMS')) as sums:
            self.assertEqual(sorted(line.split()[1] for line in sums),
                             sorted(name for name in made if name.endswith(('.exe', '.zip'))))

    def test_signed_packages_verify_and_the_signed_program_starts(self):
        folder = tempfile.mkdtemp(prefix='veloria signed ')
        self.folders.append(folder)
        pem, pfx, out = (os.path.join(folder, name) for name in ('test.pem', 'test.pfx', 'out'))
        for command in (['req', '-x509', '-newkey', 'rsa:2048', '-nodes', '-keyout', pem, '-out', pem, '-days', '2',
                         '-subj', '/CN=Veloria test', '-addext', 'extendedKeyUsage=codeSigning'],
                        ['pkcs12', '-export', '-in', pem, '-out', pfx, '-passout', 'pass:secret']):
            self.assertEqual(quiet(['openssl', *command]).returncode, 0, command)
        root = os.path.join(os.path.dirname(__file__), '..', '..')
        packed = subprocess.run([os.path.join(root, 'scripts', 'package'), '--built', '--out', out, '--sign', pfx],
                                env=dict(os.environ, VELORIA_SIGN_PASSWORD='secret'), capture_output=True, timeout=120)
        self.assertEqual(packed.returncode, 0, packed.stderr[-500:])
        program = os.path.join(folder, f'veloria-{VERSION}-x64')
        with zipfile.ZipFile(os.path.join(out, f'veloria-{VERSION}-x64-portable.zip')) as archive:
            archive.extractall(folder)
        verify = lambda path: quiet(['osslsigncode', 'verify', '-CAfile', pem, '-in', path]).returncode
        for path in (os.path.join(program, 'veloria.exe'), *glob.glob(os.path.join(out, '*-setup.exe'))):
            self.assertEqual(verify(path), 0, path)
        self.assertNotEqual(verify(package('x64-setup.exe')), 0)
        self.start(program)

    def test_the_package_managers_manifests_name_every_required_field_and_the_packages_sums(self):
        with open(os.path.join(PACKAGES, 'SHA256SUMS')) as sums:
            sums = {name: digest for digest, name in (line.split() for line in sums)}
        folder = os.path.join(PACKAGES, 'winget', 'manifests', 'v', 'Veloria', 'Veloria', VERSION)
        required = {'version': ['DefaultLocale'], 'installer': ['Installers'],
                    'defaultLocale': ['PackageLocale', 'Publisher', 'PackageName', 'License', 'ShortDescription']}
        manifests = {}
        for kind, name in (('version', ''), ('installer', '.installer'), ('defaultLocale', '.locale.en-US')):
            with open(os.path.join(folder, f'Veloria.Veloria{name}.yaml')) as file:
                manifest = manifests[kind] = yaml.safe_load(file)
            self.assertEqual((manifest['ManifestType'], manifest['PackageIdentifier'], manifest['PackageVersion'],
                              manifest['ManifestVersion']), (kind, 'Veloria.Veloria', VERSION, '1.12.0'))
            self.assertEqual([field for field in required[kind] if not manifest.get(field)], [], kind)
        installer = manifests['installer']
        self.assertEqual((installer['InstallerType'], installer['Scope'], installer['InstallerSwitches']['Silent']),
                         ('nullsoft', 'user', '/S'))
        setups = {arch: f'veloria-{VERSION}-{arch}-setup.exe' for arch in ('x64', 'x86')}
        self.assertEqual({each['Architecture']: (each['InstallerUrl'], each['InstallerSha256'].lower())
                          for each in installer['Installers']},
                         {arch: (DOWNLOAD + name, sums[name]) for arch, name in setups.items()})

        with open(os.path.join(PACKAGES, 'scoop', 'veloria.json')) as file:
            scoop = json.load(file)
        self.assertEqual([field for field in ('description', 'homepage', 'license') if not scoop.get(field)], [])
        self.assertEqual({key: (each['url'], each['hash'], each['extract_dir'])
                          for key, each in scoop['architecture'].items()},
                         {key: (DOWNLOAD + f'veloria-{VERSION}-{arch}-portable.zip',
                                sums[f'veloria-{VERSION}-{arch}-portable.zip'], f'veloria-{VERSION}-{arch}')
                          for key, arch in (('64bit', 'x64'), ('32bit', 'x86'))})
        self.assertEqual((scoop['version'], scoop['persist'], scoop['shortcuts']),
                         (VERSION, 'Config.ini', [['veloria.exe', 'Veloria']]))
        # Made before the first start: Scoop keeps a file it finds, and makes a folder of one it does not.
        self.assertIn('New-Item "$dir\\Config.ini" -ItemType File', scoop['pre_install'])
