"""New conversation windows of the messenger client, with a stand-in for
its automation component registered in the test prefix."""
import os
import time

from harness import BUILD, ProgramTestCase, alpha_of, choose, probe, quiet, wait_until, windows, windows_path

CLASS_KEY = r'HKCR\CLSID\{B69003B3-C55E-4B48-836C-BC5946FC3B28}'


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
        [self.window] = self.foreign()

    def open_conversation(self, handle):
        """Makes the component report a new conversation window."""
        [stub] = wait_until(lambda: windows('VeloriaMessengerStub'), 10, 'the component')
        probe('send', stub['handle'], 0x8001, int(handle, 16), 0)

    def test_a_new_conversation_window_gets_the_level_and_keeps_it(self):
        process, main = self.start(config=settings(1, 200))
        # A window object whose handle cannot be read changes nothing.
        self.open_conversation('0')
        time.sleep(0.3)
        self.assertIsNone(process.poll())
        self.open_conversation(self.window)
        self.assertEqual(alpha_of(self.window), 200)
        choose(main['pid'], 9)
        self.assertEqual(process.wait(timeout=10), 0)
        # Windows made translucent stay so after the program has ended.
        self.assertEqual(alpha_of(self.window), 200)

    def test_the_settings_decide_what_a_new_window_gets(self):
        cases = ((1, 255, 90, None), (0, 200, None, None), (1, -40, None, 0), (1, 'dim', None, 200))
        for on, level, before, after in cases:
            with self.subTest(on=on, level=level):
                probe('alpha', self.window, -1 if before is None else before)
                process, main = self.start(config=settings(on, level))
                self.open_conversation(self.window)
                self.assertEqual(alpha_of(self.window), after)
                probe('close', main['handle'])
                process.wait(timeout=10)
