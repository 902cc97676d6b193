"""The translucent taskbars: at start-up, from the tray menu, at Close and
after the shell restarts."""

from harness import (ProgramTestCase, alpha_of, choose, dismiss_menu, open_menu, probe, wait_alpha, wait_until, windows,
                     windows_path)


def taskbar():
    return next(w['handle'] for w in windows('Shell_TrayWnd') if w['visible'])


def marked(pid):
    menu = open_menu(pid)
    dismiss_menu(pid)
    return menu['entries'][3]['checked']


class Taskbar(ProgramTestCase):

    def setUp(self):
        super().setUp()
        self.addCleanup(lambda: probe('alpha', taskbar(), -1))

    def test_start_up_sets_the_level_a_restarted_shell_gets_it_and_close_restores_it(self):
        process, window = self.start(config='[General]\r\nAtutoMenuInicio_ALPHA=1\r\nAtutoMenuInicio_ALPHAV=150\r\n')
        wait_until(lambda: alpha_of(taskbar()) == 150, 10, 'the taskbar at 150')
        self.assertTrue(marked(window['pid']))
        [new] = self.serve('tray', windows_path(self.scratch('tray.txt')), 0)
        probe('post', window['handle'], 'TaskbarCreated')
        wait_alpha(new, 150, 'the new taskbar')
        wait_alpha(self.foreign('class=Shell_SecondaryTrayWnd')[0], 150, 'a taskbar the shell made after it')
        [plugged] = self.foreign('class=Shell_SecondaryTrayWnd', 300)
        probe('send', window['handle'], 0x7E, 32, 0)  # WM_DISPLAYCHANGE: a monitor plugged in
        wait_alpha(plugged, 150, "the new monitor's taskbar")
        self.served[0].kill()  # the shell's own taskbar again, for the tray menu
        wait_until(lambda: len(windows('Shell_TrayWnd')) == 1, 10, 'the stand-in to go')
        choose(window['pid'], 10)
        self.assertEqual(process.wait(timeout=10), 0)
        self.assertIsNone(alpha_of(taskbar()))

    def test_the_entry_toggles_every_taskbar_and_close_leaves_an_unmarked_one_alone(self):
        process, window = self.start()
        [secondary] = self.foreign('class=Shell_SecondaryTrayWnd')
        pid = window['pid']
        self.assertFalse(marked(pid))
        choose(pid, 3)
        # No level saved: the sliders' lowest, a taskbar still to be seen.
        wait_until(lambda: alpha_of(taskbar()) == alpha_of(secondary) == 8, 5, 'both taskbars at 8')
        self.assertTrue(marked(pid))
        choose(pid, 3)
        wait_until(lambda: alpha_of(taskbar()) is alpha_of(secondary) is None, 5, 'opaque taskbars')
        self.assertFalse(marked(pid))
        probe('alpha', taskbar(), 120)
        choose(pid, 10)
        self.assertEqual(process.wait(timeout=10), 0)
        self.assertEqual(alpha_of(taskbar()), 120)

    def test_a_start_up_level_of_255_marks_the_entry_but_leaves_the_taskbar_opaque(self):
        _, window = self.start(config='[General]\r\nAtutoMenuInicio_ALPHA=-1\r\nAtutoMenuInicio_ALPHAV=255\r\n')
        # Marked by the start-up's tasks, which run once the program is idle.
        wait_until(lambda: marked(window['pid']), 10, 'the entry marked')
        self.assertIsNone(alpha_of(taskbar()))
        choose(window['pid'], 3)
        self.assertFalse(marked(window['pid']))
        self.assertIsNone(alpha_of(taskbar()))
