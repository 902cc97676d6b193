"""The translucent taskbar: at start-up, from the tray menu, and at Close."""
from harness import (ProgramTestCase, alpha_of, choose_menu_entry, dismiss_menu, open_tray_menu, probe, read_menu,
                     wait_until)


def taskbar():
    return probe('find', 'Shell_TrayWnd')[0]


def marked(pid):
    menu, _ = open_tray_menu(pid)
    dismiss_menu()
    wait_until(lambda: read_menu(pid).main is None, 5, what='the menu to close')
    return menu['entries'][3]['checked']


class TaskbarTestCase(ProgramTestCase):

    def tearDown(self):
        super().tearDown()
        probe('opaque', taskbar(), check=False)


class Taskbar(TaskbarTestCase):

    def test_start_up_sets_the_level_and_close_restores_it(self):
        _folder, process, _window, pid = self.start_program(
            config='[General]\r\nAtutoMenuInicio_ALPHA=1\r\nAtutoMenuInicio_ALPHAV=150\r\n')
        wait_until(lambda: alpha_of(taskbar()) == 150, 10, what='the taskbar at 150')
        self.assertTrue(marked(pid))
        choose_menu_entry(pid, 9)
        self.assertEqual(process.wait(timeout=10), 0)
        self.assertIsNone(alpha_of(taskbar()))

    def test_the_menu_entry_toggles_the_taskbar_and_its_mark(self):
        _folder, _process, _window, pid = self.start_program()
        self.assertFalse(marked(pid))
        choose_menu_entry(pid, 3)
        # AtutoMenuInicio_ALPHAV defaults to 0: fully transparent, still layered.
        wait_until(lambda: alpha_of(taskbar()) == 0, 5, what='the taskbar at 0')
        self.assertTrue(marked(pid))
        choose_menu_entry(pid, 3)
        wait_until(lambda: alpha_of(taskbar()) is None, 5, what='an opaque taskbar')
        self.assertFalse(marked(pid))

    def test_close_leaves_an_unmarked_taskbar_alone(self):
        _folder, process, _window, pid = self.start_program()
        probe('alpha', taskbar(), 120)
        choose_menu_entry(pid, 9)
        self.assertEqual(process.wait(timeout=10), 0)
        self.assertEqual(alpha_of(taskbar()), 120)

    def test_a_start_up_level_of_255_marks_the_entry_but_leaves_the_taskbar_opaque(self):
        _folder, _process, _window, pid = self.start_program(
            config='[General]\r\nAtutoMenuInicio_ALPHA=-1\r\nAtutoMenuInicio_ALPHAV=255\r\n')
        self.assertTrue(marked(pid))
        self.assertIsNone(alpha_of(taskbar()))
        choose_menu_entry(pid, 3)
        self.assertFalse(marked(pid))
        self.assertIsNone(alpha_of(taskbar()))
