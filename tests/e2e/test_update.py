"""The update check against a web server of the test's own on 127.0.0.1
port 80, where the test command makes the maker's names resolve: the
question at start-up, the download, the updates tab, manifests that are
wrong, huge or never finished, and servers that say nothing: the program
never stops answering, and a check never lasts more than 15 seconds."""
import http.server
import os
import select
import shutil
import socket
import threading
import time
import unittest

from harness import (BUILD, PACKAGES, PROBE, VERSION, VERSIONS, ProgramTestCase, centre, click_at, click_entry,
                     dialogs, dismiss_menu, open_menu, open_options, probe, quiet, wait_until, windows, windows_path,
                     xdotool)


def manifest(version, download='http://www.veloria.example/setup.exe', extra=''):
    return (f'<?xml version="1.0"?><VELORIA><SOFTWARE_LASTVERSION>{version}</SOFTWARE_LASTVERSION>'
            f'<SOFTWARE_DOWNLOADURL>{download}</SOFTWARE_DOWNLOADURL>'
            f'<SOFTWARE_WEBPAGE>http://www.veloria.example/</SOFTWARE_WEBPAGE>{extra}</VELORIA>').encode()


class Server(http.server.BaseHTTPRequestHandler):
    """Answers every GET with the class's `answer`: (status, body, seconds
    before the headers, seconds before each kilobyte). Records the paths
    asked for with the time, and the times the program hung up early."""
    answer = (200, b'', 0, 0)
    asked, gone = [], []

    def do_GET(self):
        Server.asked.append((self.path, time.monotonic()))
        status, body, stall, pause = Server.answer
        try:
            if not self.wait(stall):
                return
            self.send_response(status)
            self.send_header('Content-Length', str(len(body)))
            self.end_headers()
            for start in range(0, len(body), 1024):
                if not self.wait(pause):
                    return
                self.wfile.write(body[start:start + 1024])
        except OSError:
            Server.gone.append(time.monotonic())

    def wait(self, seconds):
        """Waits, unless the program hangs up first (False then)."""
        end = time.monotonic() + seconds
        while (left := end - time.monotonic()) > 0:
            if select.select([self.connection], [], [], left)[0]:
                if not self.connection.recv(1, socket.MSG_PEEK):
                    Server.gone.append(time.monotonic())
                    return False
                time.sleep(min(left, 0.1))
        return True

    def log_message(self, *args):
        pass


class Updates(ProgramTestCase):

    @classmethod
    def setUpClass(cls):
        try:
            cls.server = http.server.ThreadingHTTPServer(('127.0.0.1', 80), Server)
        except OSError as error:
            raise unittest.SkipTest(f'port 80 of 127.0.0.1 cannot be bound here ({error}); run the tests as root')
        cls.server.daemon_threads = True
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()

    @classmethod
    def tearDownClass(cls):
        cls.server.shutdown()
        cls.server.server_close()

    def setUp(self):
        super().setUp()
        Server.asked, Server.gone = [], []
        self.record = self.scratch('addresses.txt')
        command = f'"{windows_path(PROBE)}" record "{windows_path(self.record)}" "%1"'
        for scheme in ('http', 'https'):
            quiet(['wine', 'reg', 'add', f'HKCR\\{scheme}\\shell\\open\\command', '/ve', '/d', command, '/f'])

    def begin(self, answer, auto_update=1):
        Server.answer = answer
        self.process, self.main = self.start(config=f'[General]\r\nAutoUpdate={auto_update}\r\n')

    def boxes(self, caption):
        return dialogs(self.main['pid'], caption)

    def answer_box(self, caption, button):
        # Found while it is still being made, a box is not yet where a click lands.
        [box] = wait_until(lambda: [w for w in self.boxes(caption) if w['visible']], 20, caption)
        click_at(centre(next(w for w in windows('Button', box['handle']) if w['title'] == button)['rect']))
        wait_until(lambda: not self.boxes(caption), 5, 'the box to close')

    def handed_over(self):
        if not os.path.exists(self.record):
            return []
        with open(self.record) as record:
            return record.read().split()

    def test_a_newer_version_is_offered_and_ok_hands_a_web_address_to_the_browser(self):
        digits = VERSION.replace('.', '')
        for version, download, button in (('2.0.1', 'http://www.veloria.example/setup.exe', 'OK'),
                                          ('10.0.0', 'http://www.veloria.example/ten.exe', 'Cancel'),
                                          ('2.0.1', 'file:///C:/windows/system32/calc.exe', 'OK'),
                                          (VERSION, '', None), ('UNKNOW', '', None)):
            with self.subTest(version=version, download=download):
                Server.asked = []
                self.begin((200, manifest(version, download), 0, 0))
                wanted = [f'/software/vl/autoupdate/?v={digits}&cc=us']
                wait_until(lambda: [path for path, _ in Server.asked] == wanted, 10, 'the fetch')
                if button:
                    self.answer_box('Veloria Auto Update', button)
                if download.startswith('file:'):
                    self.answer_box('AutoUpdate Error', 'OK')
                time.sleep(1)
                self.assertEqual(self.boxes('Veloria Auto Update'), [])
                probe('close', self.main['handle'])
                self.process.wait(timeout=10)
        wait_until(self.handed_over, 10, 'the browser')
        self.assertEqual(self.handed_over(), ['http://www.veloria.example/setup.exe'])

    def test_the_release_s_own_manifest_offers_the_release_to_a_version_older(self):
        with open(os.path.join(PACKAGES, 'autoupdate.xml'), 'rb') as released:
            Server.answer = (200, released.read(), 0, 0)
        older = VERSIONS['veloria_older_version.exe']
        self.process, self.main = self.start(self.folder(config='[General]\r\nAutoUpdate=1\r\n',
                                                         exe='veloria_older_version.exe'))
        self.answer_box('Veloria Auto Update', 'OK')
        self.assertEqual([path for path, _ in Server.asked],
                         [f'/software/vl/autoupdate/?v={older.replace(".", "")}&cc=us'])
        wait_until(self.handed_over, 10, 'the browser')
        self.assertEqual(self.handed_over(),
                         [f'https://www.veloria.example/software/vl/download/veloria-{VERSION}-x64-setup.exe'])

    def test_libraries_planted_beside_the_program_are_never_loaded(self):
        # Wine prefers its own libraries; told to prefer files, it looks as Windows does.
        names = ('winhttp', 'iphlpapi', 'ws2_32', 'wtsapi32')
        folder = self.folder(config='[General]\r\nAutoUpdate=1\r\n')
        for name in names:
            shutil.copy(os.path.join(BUILD, 'planted.dll'), os.path.join(folder, name + '.dll'))
        Server.answer = (200, manifest(VERSION), 0, 0)
        self.start(folder, env=dict(os.environ, WINEDLLOVERRIDES=';'.join(name + '=n,b' for name in names)))
        wait_until(lambda: Server.asked, 10, 'the update check')
        self.assertEqual([name for name in os.listdir(folder) if name.endswith('.loaded')], [])

    def test_without_auto_update_nothing_is_asked_of_the_server(self):
        self.begin((200, manifest('2.0.1'), 0, 0), auto_update=0)
        time.sleep(4)
        self.assertEqual(Server.asked, [])
        self.assertEqual(self.boxes('Veloria Auto Update'), [])

    def test_bad_manifests_are_refused_and_a_trickle_is_given_up_in_time(self):
        for answer in ((200, b'<VELORIA><SOFTWARE_LASTVERSION>2.0.1</VELORIA', 0, 0), (404, manifest('2.0.1'), 0, 0),
                       (200, b'<a>' * 2000000, 0, 0),
                       (200, b'<!DOCTYPE a [<!ENTITY e "2.0.1">]><a><SOFTWARE_LASTVERSION>&e;'
                             b'</SOFTWARE_LASTVERSION></a>', 0, 0),
                       (200, manifest('2.0.1') + b' ' * 120000, 0, 0.25)):
            with self.subTest(status=answer[0], size=len(answer[1]), pause=answer[3]):
                self.begin(answer)
                [(_, asked)] = wait_until(lambda: Server.asked, 10, 'the fetch')
                if answer[3]:
                    # The whole check has 15 seconds, whatever each read takes.
                    wait_until(lambda: Server.gone, 20, 'the program to give up')
                    self.assertLess(Server.gone[0] - asked, 16)
                time.sleep(2)
                self.assertEqual(self.boxes('Veloria Auto Update') + self.boxes('AutoUpdate Error'), [])
                probe('close', self.main['handle'])
                self.process.wait(timeout=10)
                Server.asked, Server.gone = [], []

    def close_from_the_tray(self):
        """Chooses Close; gives the seconds until the program had ended."""
        chosen = click_entry(self.main['pid'], open_menu(self.main['pid']), lambda menu: menu['entries'][10])
        self.assertEqual(self.process.wait(timeout=20), 0)
        return time.monotonic() - chosen

    def test_a_silent_server_never_holds_the_program(self):
        self.begin((200, manifest('2.0.1'), 120, 0))
        [(_, asked)] = wait_until(lambda: Server.asked, 10, 'the start-up check')
        for _ in range(2):
            clicked = time.monotonic()
            open_menu(self.main['pid'])
            self.assertLess(time.monotonic() - clicked, 2)
            dismiss_menu(self.main['pid'])
        self.open_updates_tab()
        wait_until(lambda: Server.gone, 20, 'the start-up check to give up')
        self.assertLess(Server.gone[0] - asked, 16)
        wait_until(lambda: 'Static:UNKNOW' in self.shown(), 5, 'the failed load')
        # The button's check waits on the silent server too: Close is quick.
        click_at(centre(next(w for w in windows('Button', self.dialog['handle']) if w['title'] == 'Download')['rect']))
        wait_until(lambda: 'msctls_progress32:' in self.shown(), 5, 'the check to show')
        self.assertLess(self.close_from_the_tray(), 2)

    def test_closing_during_a_check_ends_the_program_at_once(self):
        self.begin((200, manifest('2.0.1'), 3, 0))
        wait_until(lambda: Server.asked, 10, 'the start-up check')
        self.assertLess(self.close_from_the_tray(), 2)

    def open_updates_tab(self):
        self.dialog = open_options(self.main['pid'])
        for _ in range(4):
            xdotool('key', 'ctrl+Tab')
        wait_until(lambda: 'Button:Download' in self.shown(), 5, 'the updates page')

    def shown(self):
        """Class and text of what the dialog shows (an edit field's text is
        asked of it: other processes see no window title there)."""
        return {w['class'] + ':' + ('\n'.join(probe('text', w['handle'])) if w['class'] == 'Edit' else w['title'])
                for w in windows(parent=self.dialog['handle']) if w['visible']}

    def test_the_updates_tab_turns_its_pages_while_it_waits_and_fills_in(self):
        self.begin((200, manifest('1.0.0', extra='<GROUP><SOFTWARE_WEBPAGE>second</SOFTWARE_WEBPAGE></GROUP>'
                                           '<software_lastversion>9.9.9</software_lastversion>'
                                           '<SOFTWARE_DOWNLOADURL><![CDATA[cdata]]></SOFTWARE_DOWNLOADURL>'), 5, 0))
        wait_until(lambda: Server.asked, 10, 'the start-up check')
        self.open_updates_tab()
        waiting = time.monotonic()
        self.assertIn('msctls_progress32:', self.shown())
        xdotool('key', 'ctrl+Tab')
        wait_until(lambda: 'Button:Download' not in self.shown(), 5, 'the next page')
        xdotool('key', 'ctrl+shift+Tab')
        wait_until(lambda: 'Button:Download' in self.shown(), 5, 'the updates page again')
        self.assertEqual(len(Server.asked), 1)
        self.assertLess(time.monotonic() - waiting, 5)
        wait_until(lambda: {'Edit:second', 'Static:1.0.0'} <= self.shown(), 15, 'the manifest values')
        wait_until(lambda: 'msctls_progress32:' not in self.shown(), 15, 'the listing')
        self.assertIn('Edit:' + '\n'.join([
            '   SOFTWARE_LASTVERSION:1.0.0', '   SOFTWARE_DOWNLOADURL:http://www.veloria.example/setup.exe',
            '   SOFTWARE_WEBPAGE:http://www.veloria.example/', '    SOFTWARE_WEBPAGE:second',
            '   software_lastversion:9.9.9']), self.shown())
        self.assertIn('Edit:http://www.veloria.example/setup.exe', self.shown())
        download = next(w for w in windows('Button', self.dialog['handle']) if w['title'] == 'Download')
        self.assertFalse(download['enabled'])

    def test_a_dead_server_is_silent_at_start_and_reported_by_the_button(self):
        self.begin((500, b'', 0, 0))
        wait_until(lambda: Server.asked, 10, 'the start-up check')
        time.sleep(1)
        self.assertEqual(self.boxes('Veloria Auto Update') + self.boxes('AutoUpdate Error'), [])
        self.open_updates_tab()
        wait_until(lambda: 'Static:UNKNOW' in self.shown(), 10, 'the failed load')
        download = next(w for w in windows('Button', self.dialog['handle']) if w['title'] == 'Download')
        self.assertTrue(download['enabled'])
        click_at(centre(download['rect']))
        self.answer_box('AutoUpdate Error', 'OK')
