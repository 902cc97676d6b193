"""Picking windows of another process with real drags: the pointer window,
the modifier keys, the level popup and its slider, and the windows that are
left as their programs want them."""
import os
import time

from harness import (ProgramTestCase, alpha_of, centre, click_at, drag, info, level_popup, open_pointer_window,
                     press_on, probe, quiet, rect_of, slider_position, tooltip_text, tray_icon, wait_alpha, wait_until,
                     windows, windows_path, xdotool)

TOPMOST = 0x8


class Picker(ProgramTestCase):

    def setUp(self):
        super().setUp()
        self.process, self.main = self.start()

    def test_the_pointer_window_opens_by_the_cursor_moves_and_picks_itself(self):
        window, image = open_pointer_window()
        x, y = tray_icon()
        self.assertEqual(window['rect'][:2], [x - 200, y - 200])
        self.assertTrue(window['visible'] and window['exstyle'] & TOPMOST)
        self.assertEqual(window['alpha'], 205)
        self.assertEqual([w['title'] for w in windows('Static', parent=window['handle'])], ['Click, drag and drop'])

        left, top, right, bottom = window['rect']
        drag((left + 8, bottom - 8), (left + 8 - 300, bottom - 8 - 200))
        wait_until(lambda: rect_of(window['handle'])[:2] == [left - 300, top - 200], 5, 'the window to move')
        self.assertEqual(alpha_of(window['handle']), 205)
        image = (image[0] - 300, image[1] - 200)
        drag(image, ((left + right) // 2 - 300, bottom - 212))
        wait_alpha(window['handle'], 222, 'the pointer window')
        probe('close', window['handle'])
        wait_until(lambda: not windows('VeloriaMainControl'), 5, 'the pointer window to close')
        self.assertIsNone(self.process.poll())

    def test_a_drop_reaches_the_outermost_window_that_is_shown(self):
        # (A control's own window is the level popup's test.)
        owner, owned, owned_button = self.foreign('owned', 150, 420)
        _, image = open_pointer_window()
        drag(image, centre(rect_of(owned_button)))
        wait_alpha(owner, 222, 'the owner')
        self.assertIsNone(alpha_of(owned))
        hidden, popup = self.serve('window', 'Pop-up', 'hiddenowner', 700, 420, count=2)
        drag(image, centre(rect_of(popup)))
        wait_alpha(popup, 222, 'the pop-up of a hidden owner')
        self.assertIsNone(alpha_of(hidden))

    def test_modifier_keys_choose_the_action(self):
        [window] = self.foreign()
        _, image = open_pointer_window()
        target = centre(rect_of(window))
        drag(image, target)
        wait_alpha(window, 222)
        drag(image, target, keys=('shift',))
        wait_alpha(window, None)
        probe('alpha', window, 100)
        for keys in (('ctrl', 'shift'), ('alt',), ('shift', 'alt')):
            drag(image, target, keys=keys)
            time.sleep(0.3)
            self.assertEqual(alpha_of(window), 100, keys)
        self.assertIsNone(level_popup())

        [taskbar] = windows('Shell_TrayWnd')
        for keys in ((), ('shift',), ('ctrl',)):
            drag(image, centre(taskbar['rect']), keys=keys)
            time.sleep(0.3)
            self.assertIsNone(alpha_of(taskbar['handle']), keys)
        self.assertIsNone(level_popup())

    def test_a_drag_from_the_tray_icon_picks_with_its_keys(self):
        [window] = self.foreign()
        target = centre(rect_of(window))
        drag(tray_icon(), target)
        wait_alpha(window, 222)
        drag(tray_icon(), target, keys=('shift',))
        wait_alpha(window, None)
        drag(tray_icon(), target, keys=('ctrl',))
        wait_until(level_popup, 5, 'the level popup')
        wait_alpha(window, 221)


class LeftHanded(ProgramTestCase):

    def test_a_drag_from_the_tray_icon_follows_the_primary_button(self):
        # Swapped, the right button is the one the shell tells as the left;
        # Wine's shell does not, so the test tells the icon's press for it.
        swapped = ['wine', 'reg', 'add', r'HKCU\Control Panel\Mouse', '/v', 'SwapMouseButtons', '/f', '/d']
        quiet(swapped + ['1'])
        self.addCleanup(quiet, swapped + ['0'])
        _, main = self.start()
        [window] = self.foreign()
        xdotool('mousemove', *tray_icon())
        target = centre(rect_of(window))
        xdotool('mousedown', 3)
        try:
            probe('send', main['handle'], 0x200, 0, 0x201)  # the icon's WM_LBUTTONDOWN
            time.sleep(0.3)  # the drag goes on while the button is held
        finally:
            xdotool('mousemove', *target, 'sleep', 0.3, 'mouseup', 3)
        wait_alpha(window, 222)


class LevelPopup(ProgramTestCase):

    def setUp(self):
        super().setUp()
        self.start()
        self.dialog, self.button = self.foreign('dialog', 150, 150)
        _, self.image = open_pointer_window()
        self.drop = centre(rect_of(self.button))
        drag(self.image, self.drop, keys=('ctrl',))
        self.popup, self.slider = wait_until(level_popup, 5, 'the level popup')

    def test_it_explains_its_slider_moves_by_its_picture_and_its_slider_sets_the_level_live(self):
        self.assertEqual(self.popup['title'], 'Nivel de Transparencia')
        self.assertTrue(self.popup['exstyle'] & TOPMOST)
        self.assertEqual(self.popup['rect'][:2], [self.drop[0] - 18, self.drop[1] - 28])
        xdotool('mousemove', *centre(rect_of(self.slider)))
        self.assertEqual(wait_until(tooltip_text, 10, 'the tooltip'), 'Establecer Rango de Transparencia')
        left, top, _, bottom = self.popup['rect']
        drag((left + 12, bottom - 12), (left + 12 + 250, bottom - 12 + 150))
        wait_until(lambda: rect_of(self.popup['handle'])[:2] == [left + 250, top + 150], 5, 'the popup to move')
        self.assertEqual(slider_position(self.slider), 26)
        wait_alpha(self.dialog, 221, 'the dialog')
        for key, position, level in (('End', 30, None), ('Home', 1, 8), ('Right', 2, 17)):
            press_on(self.popup, key)
            self.assertEqual(slider_position(self.slider), position)
            wait_alpha(self.dialog, level, 'the dialog')
        probe('close', self.popup['handle'])
        wait_until(lambda: level_popup() is None, 5, 'the popup to close')
        self.assertEqual(alpha_of(self.dialog), 17)

    def test_keep_on_top_puts_the_target_above_the_others_and_a_shift_drop_ends_it(self):
        [box] = [w for w in windows('Button', self.popup['handle']) if w['title'] == 'Keep on top']
        click_at(centre(box['rect']))
        wait_until(lambda: info(self.dialog)['exstyle'] & TOPMOST, 5, 'the target on top')
        self.assertEqual(probe('send', box['handle'], 0xF0, 0, 0), ['1'])  # BM_GETCHECK
        left, top, _, _ = rect_of(self.button)
        drag(self.image, (left + 10, top + 10), keys=('shift',))  # beside the popup
        wait_until(lambda: not info(self.dialog)['exstyle'] & TOPMOST, 5, 'the on-top ended')
        wait_alpha(self.dialog, None)

    def test_a_second_ctrl_drop_only_changes_the_target(self):
        wait_alpha(self.dialog, 221, 'the dialog')
        [plain] = self.foreign()
        drag(self.image, centre(rect_of(plain)), keys=('ctrl',))
        time.sleep(0.5)
        self.assertEqual(level_popup()[1], self.slider)
        self.assertEqual(rect_of(self.popup['handle']), self.popup['rect'])
        self.assertEqual(slider_position(self.slider), 26)
        self.assertIsNone(alpha_of(plain))
        press_on(self.popup, 'Home')
        wait_alpha(plain, 8, 'the second window')
        self.assertEqual(alpha_of(self.dialog), 221)


class OtherProgramsOwnLooks(ProgramTestCase):

    def setUp(self):
        super().setUp()
        self.start(config='[General]\r\nLanguageFile=spanish.ini\r\n')
        _, self.image = open_pointer_window()

    def pick(self, handle, keys=()):
        drag(self.image, centre(rect_of(handle)), keys=keys)
        time.sleep(0.3)

    def test_a_colour_key_survives_a_pick_and_a_shift_and_a_self_drawn_window_keeps_drawing(self):
        [keyed] = self.foreign('keyed')
        self.pick(keyed)
        wait_until(lambda: info(keyed)['layered'] == '3 ff00ff 222', 5, 'the key kept beside the level')
        self.pick(keyed, ('shift',))
        # Its key alone, as its program set it (an alpha without its flag means nothing).
        wait_until(lambda: info(keyed)['layered'].split()[:2] == ['1', 'ff00ff'], 5, "the program's own key")
        [drawn] = self.foreign('perpixel', 650, 480)
        self.pick(drawn)
        time.sleep(0.6)
        self.assertEqual(info(drawn)['layered'], 'none')
        self.assertEqual(info(drawn)['title'], 'updates')

    def test_what_a_program_changed_since_a_pick_is_its_own(self):
        [window] = self.foreign()
        probe('alpha', window, 30)  # picked as it fades in
        self.pick(window)
        wait_alpha(window, 222)
        probe('alpha', window, -1)  # its fade ends: opaque, not layered
        self.pick(window)
        wait_alpha(window, 222)
        self.pick(window, ('shift',))
        self.assertEqual(info(window)['layered'], 'plain')
        self.pick(window)
        wait_alpha(window, 222)
        probe('alpha', window, 100)  # layered by its program after the pick
        self.pick(window, ('shift',))
        self.assertEqual(alpha_of(window), 100)

    def test_the_desktop_the_taskbars_and_the_overflow_are_never_picked(self):
        for name in ('Progman', 'WorkerW', 'Shell_SecondaryTrayWnd', 'NotifyIconOverflowWindow'):
            [window] = self.foreign('class=' + name)
            self.pick(window)
            self.assertEqual(info(window)['layered'], 'plain', name)

    def test_a_refused_change_is_told_once_in_the_language_in_use_and_changes_nothing(self):
        log = self.scratch('tray.txt')
        self.serve('tray', windows_path(log), 0)
        [window] = self.foreign('refusing')
        self.pick(window)
        self.pick(window)
        self.pick(window, ('shift',))
        self.assertEqual(info(window)['layered'], 'plain')
        [hung] = self.foreign('hung', 300, 450)
        time.sleep(0.5)
        self.pick(hung)

        def balloons():
            with open(log, encoding='utf-8') as lines:
                return [line.rstrip('\n').split('\t')[2:] for line in lines if '\tballoon\t' in line]
        wait_until(lambda: os.path.exists(log) and len(balloons()) == 2, 5, 'two balloons')
        time.sleep(0.5)
        self.assertEqual(balloons(), [['Veloria no puede cambiar esta ventana',
                                       '\u201cRefusing\u201d\\nWindows rechaz\u00f3 el cambio.'],
                                      ['Veloria no puede cambiar esta ventana',
                                       '\u201cHung\u201d\\nSu programa no responde; int\u00e9ntelo de nuevo cuando responda.']])
