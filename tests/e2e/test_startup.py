"""Start-up and shut-down: one hidden main window per version, a silent end
for a second copy, a damaged settings file taken in stride."""
import time

from harness import MUTEX, VERSION, ProgramTestCase, info, probe, windows


class StartAndClose(ProgramTestCase):

    def test_one_hidden_copy_per_version_until_it_is_closed_and_another_version_beside(self):
        folder = self.folder()
        first, window = self.start(folder)
        self.assertEqual((window['title'], window['visible']), ('Veloria ' + VERSION.split('.')[0], False))
        second = self.launch(folder)
        self.assertEqual(second.wait(timeout=10), 0)
        time.sleep(0.5)
        self.assertEqual([w['handle'] for w in windows('Veloria')], [window['handle']])
        self.assertFalse(info(window['handle'])['visible'])
        self.assertIsNone(first.poll())

        probe('close', window['handle'])
        self.assertEqual(first.wait(timeout=10), 0)
        self.assertEqual(probe('mutex', MUTEX), ['free'])
        again, _ = self.start(folder)
        # A copy of another version runs beside.
        other, _ = self.start(self.folder(exe='veloria_other_version.exe'), count=2)
        time.sleep(1)
        self.assertIsNone(again.poll(), 'a new copy could not start after the first was closed')
        self.assertIsNone(other.poll())

    def test_a_damaged_settings_file_neither_stops_the_program_nor_is_rewritten(self):
        damaged = (b'\x80\x81\x00junk[General\r\n==\r\n[General]\r\nDefaultAlpha=abc\r\n'
                   b'ControlStyle=\r\nAtutoMenuInicio_ALPHAV=1e999\r\nLanguageFile=' + b'x' * 5000 + b'\r\n'
                   + b'\xff' * 100000 + b'\r\n[Live Messenger]\r\nAutoMSN_ChatWindow_ALPHA=-7\r\n')
        folder = self.folder(config=damaged)
        process, window = self.start(folder)
        time.sleep(1)
        self.assertIsNone(process.poll())
        probe('close', window['handle'])
        self.assertEqual(process.wait(timeout=10), 0)
        with open(f'{folder}/Config.ini', 'rb') as config:
            self.assertEqual(config.read(), damaged)
