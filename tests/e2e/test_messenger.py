"""New conversation windows of the messenger client, with a stand-in for
its automation component registered in the test prefix."""
import os
import time

from harness import BUILD, ProgramTestCase, alpha_of, ask, choose, quiet, wait_until, windows, windows_path

CLASS_KEY = r'HKCR\CLSID\{B69003B3-C55E-4B48-836C-BC5946FC3B28}'
LOG = os.path.join(BUILD, 'messenger-log.txt')


def log_lines():
    if not os.path.exists(LOG):
        return []
    with open(LOG) as log:
        return log.read().splitlines()


def settings(on, level):
    return f'[Live Messenger]\r\nAutoMSN_ChatWindow={on}\r\nAutoMSN_ChatWindow_ALPHA={level}\r\n'


class Conversations(ProgramTestCase):

    @classmethod
    def setUpClass(cls):
        quiet(['wine', 'reg', 'add', CLASS_KEY + r'\InprocServer32', '/ve', '/d',
               windows_path(os.path.join(BUILD, 'messenger_stub.dll')), '/f'])
        quiet(['wine', 'reg', 'add', CLASS_KEY + r'\InprocServer32', '/v', 'ThreadingModel', '/d', 'Apartment', '/f'])

    @classmethod
    def tearDownClass(cls):
        quiet(['wine', 'reg', 'delete', CLASS_KEY, '/f'])

    def setUp(self):
        super().setUp()
        if os.path.exists(LOG):
            os.unlink(LOG)
        [self.window] = self.foreign()

    def open_conversation(self, handle):
        """Makes the component report a new conversation window."""
        [stub] = wait_until(lambda: windows('VeloriaMessengerStub'), 10, 'the component')
        ask('send', stub['handle'], 0x8001, int(handle, 16), 0)

    def test_a_new_conversation_window_gets_the_level_and_close_disconnects(self):
        process, main = self.start(config=settings(1, 200))
        self.open_conversation(self.window)
        self.assertEqual(alpha_of(self.window), 200)
        self.assertEqual(log_lines()[:3], ['created', 'advise', f'fired {int(self.window, 16)}'])
        choose(main['pid'], 9)
        self.assertEqual(process.wait(timeout=10), 0)
        self.assertEqual(log_lines()[-1], 'unadvise')
        # Windows made translucent stay so after the program has ended.
        self.assertEqual(alpha_of(self.window), 200)

    def test_the_settings_decide_what_a_new_window_gets(self):
        for on, level, before, after in ((1, 255, 90, None), (0, 200, None, None), (1, -40, None, 0)):
            with self.subTest(on=on, level=level):
                ask('alpha', self.window, -1 if before is None else before)
                process, main = self.start(config=settings(on, level))
                self.open_conversation(self.window)
                self.assertEqual(alpha_of(self.window), after)
                ask('close', main['handle'])
                process.wait(timeout=10)

    def test_an_unreadable_window_changes_nothing_and_a_bad_level_reads_as_200(self):
        process, _ = self.start(config=settings(1, 'dim'))
        self.open_conversation('0')
        time.sleep(0.3)
        self.assertIsNone(process.poll())
        self.assertIsNone(alpha_of(self.window))
        self.open_conversation(self.window)
        self.assertEqual(alpha_of(self.window), 200)

    def test_without_the_component_the_program_starts_and_works(self):
        quiet(['wine', 'reg', 'delete', CLASS_KEY, '/f'])
        try:
            process, main = self.start(config=settings(1, 200))
            time.sleep(0.5)
            self.assertEqual(windows('VeloriaMessengerStub'), [])
            choose(main['pid'], 9)
            self.assertEqual(process.wait(timeout=10), 0)
        finally:
            self.setUpClass()
