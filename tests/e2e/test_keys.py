"""The keys and the wheel, with real key and wheel input: the window in front
or under the pointer one step of the level popup's scale more see-through or
more solid, opaque at once, click-through on and off, and a key another
program holds."""
import os
import pathlib
import subprocess
import time

from harness import ProgramTestCase, alpha_of, centre, child, choose, click_at, dialogs, hand_keyboard_to, info, \
    level_popup, open_pointer_window, probe, programs_tab, rect_of, wait_alpha, wait_until, windows, windows_path, xdotool

CLICK_THROUGH = 0x20  # WS_EX_TRANSPARENT
DOWN, UP, OPAQUE, THROUGH, ON_TOP, PICK = ('ctrl+alt+shift+' + key for key in ('Next', 'Prior', 'Home', 'End', 'F9',
                                                                                 'F8'))
TOPMOST = 0x8


def layout(name):
    subprocess.run(['setxkbmap', name], stdin=subprocess.DEVNULL, timeout=30, check=True)


def press(*keys):
    xdotool('key', '--delay', 60, *keys)
    time.sleep(0.4)


class Keys(ProgramTestCase):

    def watch_balloons(self):
        """A stand-in for the tray window that logs the balloons asked of it."""
        self.log = self.scratch('tray.txt')
        self.serve('tray', windows_path(self.log), 0)

    def balloons(self):
        """The balloons the tray stand-in was asked for: title and text."""
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding='utf-8') as lines:
            return [line.rstrip('\n').split('\t')[2:] for line in lines if '\tballoon\t' in line]

    def begin(self, *places):
        _, self.main = self.start()
        time.sleep(1)  # the keys are registered once the program is idle
        made = [self.foreign('plain', x, y)[0] for x, y in places]
        click_at(centre(rect_of(made[-1])))  # the last one in front
        return made

    def test_the_wheel_steps_the_window_under_the_pointer_and_the_focus_stays(self):
        back, front = self.begin((100, 150), (600, 150))
        xdotool('mousemove', *centre(rect_of(back)))
        xdotool('keydown', 'ctrl', 'alt', 'shift')
        try:
            # The keys and the wheel reach Windows through the programs whose windows
            # have the focus and the pointer: the wheel only once the keys are down.
            wait_until(lambda: probe('held') == ['ctrl', 'alt', 'shift'], 5, 'the keys held')
            xdotool('click', '--repeat', 2, '--delay', 100, 5)
            time.sleep(0.5)
        finally:
            xdotool('keyup', 'ctrl', 'alt', 'shift')
        wait_alpha(back, 238, 'the window under the pointer')
        press(DOWN)
        wait_alpha(front, 246, 'the window still in front')
        self.assertEqual(alpha_of(back), 238)

    def test_click_through_goes_to_the_window_below_until_it_is_undone(self):
        self.watch_balloons()
        below, above = self.begin((100, 150), (250, 250))
        press(THROUGH)  # an opaque window is not made click-through
        self.assertFalse(info(above)['exstyle'] & CLICK_THROUGH)
        press(DOWN, THROUGH)
        wait_until(lambda: info(above)['exstyle'] & CLICK_THROUGH, 5, 'click-through')
        click_at((300, 300))
        wait_until(lambda: info(below)['title'] == 'Plain clicked', 5, 'the click to reach the window below')
        self.assertEqual(info(above)['title'], 'Plain clicked')  # by the click that brought it in front only
        wait_until(lambda: len(self.balloons()) == 1, 5, 'how to undo it')
        self.assertIn('Ctrl+Alt+Shift+End', self.balloons()[0][1])
        probe('front', above)
        wait_until(lambda: probe('front') == [above], 5, 'the window in front')
        hand_keyboard_to(above)
        press(THROUGH)
        wait_until(lambda: not info(above)['exstyle'] & CLICK_THROUGH, 5, 'the same key to undo it')
        press(THROUGH, OPAQUE)  # opaque in any way ends it
        wait_alpha(above, None)
        self.assertFalse(info(above)['exstyle'] & CLICK_THROUGH)
        self.assertEqual(len(self.balloons()), 1)

    def test_the_tray_gives_every_window_back_opaque_and_clickable(self):
        back, front = self.begin((100, 150), (600, 150))
        press(DOWN, THROUGH)
        wait_until(lambda: info(front)['exstyle'] & CLICK_THROUGH, 5, 'click-through')
        probe('front', back)
        wait_until(lambda: probe('front') == [back], 5, 'the window behind in front')
        hand_keyboard_to(back)
        press(DOWN, DOWN, ON_TOP)
        wait_alpha(back, 238)
        wait_until(lambda: info(back)['exstyle'] & TOPMOST, 5, 'on top')
        choose(self.main['pid'], 9)
        for window in (back, front):
            wait_alpha(window, None)
        self.assertFalse(info(front)['exstyle'] & CLICK_THROUGH)
        self.assertFalse(info(back)['exstyle'] & TOPMOST)

    def test_the_on_top_key_toggles_the_window_in_front_and_close_ends_only_its_own(self):
        [plain] = self.begin((250, 250))
        [own] = self.foreign('ontop', 600, 150)
        for window, states in ((plain, (True, False, True)), (own, (True, True))):
            probe('front', window)
            wait_until(lambda: probe('front') == [window], 5, 'the window in front')
            hand_keyboard_to(window)
            for state in states:
                press(ON_TOP)
                wait_until(lambda: bool(info(window)['exstyle'] & TOPMOST) == state, 5, f'on top {state}')
        self.assertEqual(alpha_of(plain), None, 'on top needs no level')
        choose(self.main['pid'], 10)
        self.assertEqual(self.processes[-1].wait(timeout=10), 0)
        self.assertFalse(info(plain)['exstyle'] & TOPMOST)
        self.assertTrue(info(own)['exstyle'] & TOPMOST, 'kept on top by its own program')

    def test_a_key_opens_the_level_popup_for_the_window_in_front_and_its_keys_end_it_there(self):
        [window] = self.begin((250, 250))
        for close in ('Escape', 'Return'):
            press(PICK)
            popup, slider = wait_until(level_popup, 5, 'the level popup')
            wait_until(lambda: probe('focus', popup['handle']) == [popup['handle'], slider], 5, 'the slider focused')
            press('Left')
            wait_alpha(window, 212, 'one step below the level the popup opens at')
            press(close)
            wait_until(lambda: level_popup() is None, 5, 'the popup to close')
            wait_until(lambda: probe('front') == [window], 5, 'the window in front again')

    def test_a_screen_reader_hears_every_control_s_name_and_level_and_presses_the_pointer_picture(self):
        [window] = self.begin((250, 250))
        [banner] = windows('VeloriaBanner')
        self.assertEqual([probe('acc', w['handle']) for w in windows('Button', banner['handle'])],
                         [['Donate\t43\t'], ['Tell a friend\t43\t']])  # push buttons
        [banner_slider] = windows('msctls_trackbar32', banner['handle'])
        self.assertRegex(probe('acc', banner_slider['handle'])[0], r'^Opacity of Veloria .*\t51\t90 %$')
        for press_picture in (lambda picture: press('Return'), lambda picture: probe('accpress', picture)):
            pointer, _ = open_pointer_window()
            picture = child(pointer['handle'], 'VeloriaPointerImage')['handle']
            wait_until(lambda: probe('focus', pointer['handle']) == [pointer['handle'], picture], 5, 'the picture focused')
            self.assertEqual(probe('acc', picture), ['Click, drag and drop\t43\t'])
            press_picture(picture)
            # The window behind the pointer window is picked for the popup.
            popup, slider = wait_until(level_popup, 5, 'the level popup')
            wait_until(lambda: probe('focus', popup['handle']) == [popup['handle'], slider], 5, 'the slider focused')
            press('Left')
            wait_alpha(window, 212, 'one step below the level the popup opens at')
            self.assertEqual(probe('acc', slider), [f'Opacity of {info(window)["title"]}\t51\t83 %'])
            [close] = [w for w in windows('Button', popup['handle']) if w['title'] == 'x']
            self.assertEqual(probe('acc', close['handle']), ['Close\t43\t'])
            press('Escape')
            wait_until(lambda: level_popup() is None, 5, 'the popup to close')
            probe('close', pointer['handle'])
            wait_until(lambda: not windows('VeloriaMainControl'), 5, 'the pointer window to close')
            click_at(centre(rect_of(window)))

    def test_close_keeps_the_levels_unless_the_programs_tab_asks_for_every_look_back(self):
        for restore, left in ((False, 246), (True, None)):
            [window] = self.begin((250, 250))
            press(DOWN)
            wait_alpha(window, 246)
            if restore:
                [box] = [w for w in programs_tab(self.main['pid'], 'Button') if 'its own look back' in w['title']]
                click_at(centre(box['rect']))
                click_at(centre([w for w in windows('Button', None) if w['title'] == 'OK'][0]['rect']))
                saved = pathlib.Path(self.folders[-1], 'Config.ini')
                wait_until(lambda: saved.exists() and b'RestoreOnExit=1' in saved.read_bytes(), 5, 'the choice saved')
            choose(self.main['pid'], 10)
            self.assertEqual(self.processes[-1].wait(timeout=10), 0)
            self.assertEqual(alpha_of(window), left)

    def test_a_second_copy_leaves_the_click_through_and_a_start_after_a_forced_end_gives_the_clicks_back(self):
        [window] = self.begin((250, 250))
        press(DOWN, THROUGH)
        wait_until(lambda: info(window)['exstyle'] & CLICK_THROUGH, 5, 'click-through')
        folder = self.folders[-1]
        self.assertEqual(self.launch(folder).wait(timeout=10), 0)
        self.assertTrue(info(window)['exstyle'] & CLICK_THROUGH, 'the second copy ended it')
        subprocess.run(['wine', 'taskkill', '/f', '/pid', str(self.main['pid'])], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30, check=True)
        wait_until(lambda: not windows('Veloria'), 10, 'the forced end')
        self.assertTrue(info(window)['exstyle'] & CLICK_THROUGH)
        self.start(folder)
        wait_until(lambda: not info(window)['exstyle'] & CLICK_THROUGH, 5, 'the clicks back')
        self.assertEqual(alpha_of(window), 246)

    def test_a_key_another_program_holds_is_told_once_and_the_others_work(self):
        self.watch_balloons()
        self.serve('hotkey', 7, 0x22)  # Ctrl+Alt+Shift+PageDown
        [window] = self.begin((500, 150))
        probe('alpha', window, 100)
        press(DOWN, UP)
        wait_alpha(window, 102)
        wait_until(lambda: self.balloons(), 5, 'the balloon')
        self.assertEqual(self.balloons(), [['A key of Veloria is taken', 'Another program uses Ctrl+Alt+Shift+PageDown.'
                                            ' Choose another key on the Programs tab of the options.']])

    def test_keys_step_the_window_in_front_to_both_ends_and_one_set_on_the_programs_tab_takes_over(self):
        layout('de')  # the user's layout, where AltGr+Q is "@"
        self.addCleanup(layout, 'us')
        [window] = self.begin((500, 150))
        for key, level in ((DOWN, 246), (DOWN, 238), (UP, 246), (UP, None)):
            press(key)
            wait_alpha(window, level)
        press(*[DOWN] * 31)
        wait_alpha(window, 8, 'the lowest level, never 0')
        press(OPAQUE)
        wait_alpha(window, None)

        fields = programs_tab(self.main['pid'], 'msctls_hotkey32')
        self.assertEqual(probe('send', fields[5]['handle'], 0x402, 0, 0), [str(0x0777)])  # Ctrl+Alt+Shift+F8: Pick
        click_at(centre(fields[1]['rect']))
        press('ctrl+alt+q')
        [box] = wait_until(lambda: dialogs(self.main['pid'], 'Veloria 2'), 5, 'the reason')
        self.assertIn('Ctrl+Alt+Q (@) types a character', str([probe('text', w['handle']) for w in
                                                                windows('Static', box['handle'])]))
        press('Return')
        self.assertEqual(probe('send', fields[1]['handle'], 0x402, 0, 0), [str(0x0F21)])  # the key it had
        click_at(centre(fields[0]['rect']))
        press('ctrl+alt+Next')
        click_at(centre([w for w in windows('Button', None) if w['title'] == 'OK'][0]['rect']))
        config = pathlib.Path(self.folders[-1], 'Config.ini')
        wait_until(lambda: config.exists() and '[Keys]\r\nMoreSeeThrough=Ctrl+Alt+PageDown\r\n' in
                   config.read_bytes().decode('cp1252'), 5, 'the key saved')
        click_at(centre(rect_of(window)))
        press(DOWN, 'ctrl+alt+Next')
        wait_alpha(window, 246, 'one step, by the new key only')

    def test_with_a_german_keyboard_altgr_types_as_before_and_keys_it_types_are_refused(self):
        # Ctrl+Alt+0 (AltGr+0 is "}") written in the settings is told and left
        # to the typing; the keys' steps are the test above, also in German.
        self.watch_balloons()
        layout('de')
        self.addCleanup(layout, 'us')
        _, self.main = self.start(config='[Keys]\r\nOpaque=Ctrl+Alt+0\r\n')
        time.sleep(1)
        window, edit = self.foreign('edit', 500, 150)
        click_at(centre(rect_of(edit)))
        probe('alpha', window, 100)
        press(*('ISO_Level3_Shift+' + key for key in '0789q'), 'ctrl+alt+0')
        wait_until(lambda: probe('text', edit) == ['}{[]@'], 5, 'the characters')
        self.assertEqual(alpha_of(window), 100)
        [[_, told]] = self.balloons()
        self.assertTrue(told.startswith('Ctrl+Alt+0 (}) types a character with AltGr on one of your keyboards'))

