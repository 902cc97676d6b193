"""New conversation windows of the messenger client, with a stand-in for
its automation component registered in the test prefix."""
import os
import subprocess
import time

from harness import (BUILD, WINE_TIMEOUT, ForeignWindows, ProgramTestCase, alpha_of, choose_menu_entry, probe,
                     wait_until, windows_path)

CLASS_KEY = r'HKCR\CLSID\{B69003B3-C55E-4B48-836C-BC5946FC3B28}'
STUB = os.path.join(BUILD, 'messenger_stub.dll')
LOG = os.path.join(BUILD, 'messenger-log.txt')
FIRE = 0x8001


def reg(*args):
    subprocess.run(['wine', 'reg', *args], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=WINE_TIMEOUT)


def register_stub():
    reg('add', CLASS_KEY + r'\InprocServer32', '/ve', '/d', windows_path(STUB), '/f')
    reg('add', CLASS_KEY + r'\InprocServer32', '/v', 'ThreadingModel', '/d', 'Apartment', '/f')


def unregister_stub():
    reg('delete', CLASS_KEY, '/f')


def log_lines():
    if not os.path.exists(LOG):
        return []
    with open(LOG) as log:
        return log.read().split('\n')[:-1]


def open_conversation(handle):
    """Makes the component report a new conversation window."""
    [stub] = wait_until(lambda: probe('find', 'VeloriaMessengerStub'), 10, what='the component')
    probe('send', stub, FIRE, int(handle, 16), 0)


def settings(on, level):
    return f'[Live Messenger]\r\nAutoMSN_ChatWindow={on}\r\nAutoMSN_ChatWindow_ALPHA={level}\r\n'


class WithTheComponent(ProgramTestCase):

    @classmethod
    def setUpClass(cls):
        register_stub()

    @classmethod
    def tearDownClass(cls):
        unregister_stub()

    def setUp(self):
        super().setUp()
        if os.path.exists(LOG):
            os.unlink(LOG)
        self.conversation = ForeignWindows('Conversation', 'plain', 650, 150)
        self.window = self.conversation.handles[0]

    def tearDown(self):
        self.conversation.close()
        super().tearDown()

    def test_a_new_conversation_window_gets_the_level_and_close_disconnects(self):
        _folder, process, _window, pid = self.start_program(config=settings(1, 200))
        open_conversation(self.window)
        self.assertEqual(alpha_of(self.window), 200)
        self.assertEqual(log_lines()[:3], ['created', 'advise', f'fired {int(self.window, 16)}'])
        choose_menu_entry(pid, 9)
        self.assertEqual(process.wait(timeout=10), 0)
        self.assertEqual(log_lines()[-1], 'unadvise')
        # Windows made translucent stay so after the program has ended.
        self.assertEqual(alpha_of(self.window), 200)

    def test_a_level_of_255_makes_the_window_opaque(self):
        probe('alpha', self.window, 90)
        self.start_program(config=settings(1, 255))
        open_conversation(self.window)
        self.assertIsNone(alpha_of(self.window))

    def test_with_the_feature_off_windows_are_untouched(self):
        self.start_program(config=settings(0, 200))
        open_conversation(self.window)
        self.assertIsNone(alpha_of(self.window))
        self.assertIn(f'fired {int(self.window, 16)}', log_lines())

    def test_a_level_below_zero_is_clamped(self):
        self.start_program(config=settings(1, -40))
        open_conversation(self.window)
        self.assertEqual(alpha_of(self.window), 0)

    def test_a_window_handle_that_cannot_be_read_changes_nothing(self):
        _folder, process, _window, _pid = self.start_program(config=settings(1, 'dim'))
        [stub] = wait_until(lambda: probe('find', 'VeloriaMessengerStub'), 10, what='the component')
        probe('send', stub, FIRE, 0, 0)
        time.sleep(0.3)
        self.assertIsNone(process.poll())
        self.assertIsNone(alpha_of(self.window))
        # A level that is not a number reads as the default 200.
        open_conversation(self.window)
        self.assertEqual(alpha_of(self.window), 200)


class WithoutTheComponent(ProgramTestCase):

    def test_the_program_starts_and_works_without_it(self):
        unregister_stub()
        _folder, process, _window, pid = self.start_program(config=settings(1, 200))
        time.sleep(0.5)
        self.assertIsNone(process.poll())
        self.assertEqual(probe('find', 'VeloriaMessengerStub'), [])
        choose_menu_entry(pid, 9)
        self.assertEqual(process.wait(timeout=10), 0)
