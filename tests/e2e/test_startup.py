"""Start-up and shut-down of veloria.exe: one hidden main window per
version, a silent end for a second copy, Close freeing the instance."""
import time

from harness import ProgramTestCase, main_windows, mutex_state, probe, wait_until, window_info

MUTEX = 'Veloria2.0.0'


class StartAndClose(ProgramTestCase):

    def test_main_window_exists_and_is_never_visible(self):
        folder = self.make_folder()
        process, [window] = self.start_and_wait(folder)
        for _ in range(5):
            info = window_info(window)
            self.assertEqual(info['exists'], '1')
            self.assertEqual(info['title'], 'Veloria 2')
            self.assertEqual(info['visible'], '0')
            time.sleep(0.3)
        self.assertIsNone(process.poll(), 'the program ended by itself')
        self.assertEqual(mutex_state(MUTEX), 'held')

    def test_second_copy_of_the_same_version_ends_silently(self):
        folder = self.make_folder()
        first, [window] = self.start_and_wait(folder)
        second = self.start(folder)
        self.assertEqual(second.wait(timeout=10), 0)
        self.assertEqual(main_windows(), [window])
        self.assertIsNone(first.poll())
        self.assertEqual(window_info(window)['visible'], '0')

    def test_a_copy_of_another_version_runs_beside(self):
        first, _ = self.start_and_wait(self.make_folder())
        other, windows = self.start_and_wait(self.make_folder(exe_name='veloria_other_version.exe'), 2)
        self.assertEqual(len(set(windows)), 2)
        time.sleep(1)
        self.assertIsNone(first.poll())
        self.assertIsNone(other.poll())
        self.assertEqual(mutex_state('Veloria2.0.0'), 'held')
        self.assertEqual(mutex_state('Veloria2.0.1'), 'held')

    def test_closing_the_main_window_ends_the_program_and_frees_the_instance(self):
        folder = self.make_folder()
        process, [window] = self.start_and_wait(folder)
        probe('close', window)
        self.assertEqual(process.wait(timeout=10), 0)
        self.assertEqual(main_windows(), [])
        self.assertEqual(mutex_state(MUTEX), 'free')

        again, [new_window] = self.start_and_wait(folder)
        time.sleep(1)
        self.assertIsNone(again.poll(), 'a new copy could not start after Close')
        self.assertEqual(main_windows(), [new_window])


class SettingsFileAtStart(ProgramTestCase):

    def test_without_a_settings_file_none_is_written(self):
        folder = self.make_folder()
        process, [window] = self.start_and_wait(folder)
        probe('close', window)
        process.wait(timeout=10)
        with self.assertRaises(FileNotFoundError):
            folder.read_config()

    def test_a_damaged_settings_file_neither_stops_the_program_nor_is_rewritten(self):
        damaged = (b'\x80\x81\x00junk[General\r\n==\r\n[General]\r\nDefaultAlpha=abc\r\n'
                   b'ControlStyle=\r\nAtutoMenuInicio_ALPHAV=1e999\r\nLanguageFile=' + b'x' * 5000 + b'\r\n'
                   + b'\xff' * 100000 + b'\r\n[Live Messenger]\r\nAutoMSN_ChatWindow_ALPHA=-7\r\n')
        folder = self.make_folder(config=damaged)
        process, [window] = self.start_and_wait(folder)
        time.sleep(1)
        self.assertIsNone(process.poll())
        self.assertEqual(window_info(window)['visible'], '0')
        probe('close', window)
        self.assertEqual(process.wait(timeout=10), 0)
        self.assertEqual(folder.read_config(), damaged)
