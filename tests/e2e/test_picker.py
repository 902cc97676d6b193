"""Picking windows of another process with real drags: the pointer window,
the modifier keys, the level popup and its slider."""
import time

from harness import (ForeignWindows, ProgramTestCase, alpha_of, centre, drag, key_on_level_popup, level_popup,
                     open_pointer_window, probe, rect_of, slider_position, taskbar_rect, tooltip_text,
                     tray_icon_centre, wait_until, window_info, xdotool)

TOPMOST = 0x8


class PickerTestCase(ProgramTestCase):

    def setUp(self):
        super().setUp()
        self.foreign = []
        self.folder, self.process, self.window, self.pid = self.start_program()

    def tearDown(self):
        for windows in self.foreign:
            windows.close()
        super().tearDown()

    def windows(self, *args, **kwargs):
        made = ForeignWindows(*args, **kwargs)
        self.foreign.append(made)
        return made.handles

    def wait_alpha(self, handle, expected, what):
        wait_until(lambda: alpha_of(handle) == expected, 5, what=f'{what} at {expected}')


class PointerWindow(PickerTestCase):

    def test_a_double_click_opens_it_by_the_cursor_topmost_and_translucent(self):
        window, _image = open_pointer_window()
        x, y = tray_icon_centre()
        left, top, _right, _bottom = rect_of(window)
        self.assertEqual((left, top), (x - 200, y - 200))
        info = window_info(window)
        self.assertEqual(info['visible'], '1')
        self.assertTrue(int(info['exstyle'], 16) & TOPMOST)
        self.assertEqual(alpha_of(window), 205)
        labels = [line.split('\t')[4] for line in probe('children', window) if '\tStatic\t' in line]
        self.assertEqual(labels, ['Click, drag and drop'])

    def test_dragging_its_background_moves_it(self):
        window, image = open_pointer_window()
        left, top, _right, bottom = rect_of(window)
        drag((left + 8, bottom - 8), (left + 8 - 300, bottom - 8 - 200))
        wait_until(lambda: rect_of(window)[:2] == [left - 300, top - 200], 5, what='the window to move')
        self.assertEqual(alpha_of(window), 205)

    def test_a_drop_on_itself_gives_it_the_default_level_and_closing_it_ends_it(self):
        window, image = open_pointer_window()
        left, top, right, bottom = rect_of(window)
        drag(image, ((left + right) // 2, bottom - 12))
        self.wait_alpha(window, 222, 'the pointer window')
        probe('close', window)
        wait_until(lambda: not probe('find', 'VeloriaMainControl'), 5, what='the pointer window to close')
        self.assertIsNone(self.process.poll())


class Drops(PickerTestCase):

    def test_a_drop_on_a_child_control_gives_the_dialog_the_default_level(self):
        dialog, button = self.windows('Dialog', 'dialog', 150, 150)
        _pointer, image = open_pointer_window()
        drag(image, centre(rect_of(button)))
        self.wait_alpha(dialog, 222, 'the dialog')
        self.assertIsNone(alpha_of(button))

    def test_a_drop_on_an_owned_dialog_reaches_its_owner(self):
        owner, owned, button = self.windows('Owner', 'owned', 150, 420)
        _pointer, image = open_pointer_window()
        drag(image, centre(rect_of(button)))
        self.wait_alpha(owner, 222, 'the owner')
        self.assertIsNone(alpha_of(owned))

    def test_shift_makes_a_window_opaque(self):
        [window] = self.windows('Plain', 'plain', 650, 150)
        _pointer, image = open_pointer_window()
        drag(image, centre(rect_of(window)))
        self.wait_alpha(window, 222, 'the window')
        drag(image, centre(rect_of(window)), keys=('shift',))
        self.wait_alpha(window, None, 'the window')

    def test_other_key_combinations_and_the_taskbar_change_nothing(self):
        [window] = self.windows('Plain', 'plain', 650, 150)
        probe('alpha', window, 100)
        _pointer, image = open_pointer_window()
        for keys in (('ctrl', 'shift'), ('alt',), ('shift', 'alt')):
            drag(image, centre(rect_of(window)), keys=keys)
            time.sleep(0.3)
            self.assertEqual(alpha_of(window), 100, keys)
        self.assertIsNone(level_popup())

        [taskbar] = probe('find', 'Shell_TrayWnd')
        left, top, right, bottom = taskbar_rect()
        for keys in ((), ('shift',), ('ctrl',)):
            drag(image, ((left + right) // 2, (top + bottom) // 2), keys=keys)
            time.sleep(0.3)
            self.assertIsNone(alpha_of(taskbar), keys)
        self.assertIsNone(level_popup())

    def test_a_drag_from_the_tray_icon_picks_too(self):
        [window] = self.windows('Plain', 'plain', 650, 150)
        drag(tray_icon_centre(), centre(rect_of(window)))
        self.wait_alpha(window, 222, 'the window')


class LevelPopup(PickerTestCase):

    def test_ctrl_opens_the_popup_whose_slider_sets_the_level_live(self):
        dialog, button = self.windows('Dialog', 'dialog', 150, 150)
        _pointer, image = open_pointer_window()
        drop = centre(rect_of(button))
        drag(image, drop, keys=('ctrl',))
        popup, slider = wait_until(level_popup, 5, what='the level popup')
        info = window_info(popup)
        self.assertEqual(info['title'], 'Nivel de Transparencia')
        self.assertTrue(int(info['exstyle'], 16) & TOPMOST)
        self.assertEqual(rect_of(popup)[:2], [drop[0] - 18, drop[1] - 28])
        self.assertEqual(slider_position(slider), 26)
        self.wait_alpha(dialog, 221, 'the dialog')

        key_on_level_popup(popup, 'End')
        self.assertEqual(slider_position(slider), 30)
        self.wait_alpha(dialog, None, 'the dialog')
        key_on_level_popup(popup, 'Home')
        self.assertEqual(slider_position(slider), 1)
        self.wait_alpha(dialog, 8, 'the dialog')
        key_on_level_popup(popup, 'Right')
        self.wait_alpha(dialog, 17, 'the dialog')

        probe('close', popup)
        wait_until(lambda: level_popup() is None, 5, what='the popup to close')
        self.assertEqual(alpha_of(dialog), 17)

    def test_the_popup_moves_by_its_picture_and_its_slider_explains_itself(self):
        dialog, button = self.windows('Dialog', 'dialog', 150, 150)
        _pointer, image = open_pointer_window()
        drag(image, centre(rect_of(button)), keys=('ctrl',))
        popup, slider = wait_until(level_popup, 5, what='the level popup')
        xdotool('mousemove', *centre(rect_of(slider)))
        self.assertEqual(wait_until(tooltip_text, 10, what='the tooltip'), 'Establecer Rango de Transparencia')

        left, top, _right, bottom = rect_of(popup)
        drag((left + 12, bottom - 12), (left + 12 + 250, bottom - 12 + 150))
        wait_until(lambda: rect_of(popup)[:2] == [left + 250, top + 150], 5, what='the popup to move')
        self.assertEqual(slider_position(slider), 26)
        self.assertEqual(alpha_of(dialog), 221)

    def test_a_second_ctrl_drop_only_changes_the_target(self):
        dialog, button = self.windows('Dialog', 'dialog', 150, 150)
        [plain] = self.windows('Plain', 'plain', 650, 150)
        _pointer, image = open_pointer_window()
        drag(image, centre(rect_of(button)), keys=('ctrl',))
        popup, slider = wait_until(level_popup, 5, what='the level popup')
        self.wait_alpha(dialog, 221, 'the dialog')
        where = rect_of(popup)

        drag(image, centre(rect_of(plain)), keys=('ctrl',))
        time.sleep(0.5)
        self.assertEqual(level_popup(), (popup, slider))
        self.assertEqual(rect_of(popup), where)
        self.assertEqual(slider_position(slider), 26)
        self.assertIsNone(alpha_of(plain))

        key_on_level_popup(popup, 'Home')
        self.wait_alpha(plain, 8, 'the second window')
        self.assertEqual(alpha_of(dialog), 221)
