"""The keys and the wheel, with real key and wheel input: the window in front
or under the pointer one step of the level popup's scale more see-through or
more solid, opaque at once, click-through on and off, and a key another
program holds."""
import os
import pathlib
import time

from harness import ProgramTestCase, alpha_of, centre, click_at, info, open_options, probe, rect_of, wait_alpha, \
    wait_until, windows, windows_path, xdotool

CLICK_THROUGH = 0x20  # WS_EX_TRANSPARENT


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
        xdotool('keydown', 'ctrl', 'alt')
        try:
            xdotool('click', '--repeat', 2, '--delay', 100, 5)
            time.sleep(0.5)
        finally:
            xdotool('keyup', 'ctrl', 'alt')
        wait_alpha(back, 238, 'the window under the pointer')
        press('ctrl+alt+Down')
        wait_alpha(front, 246, 'the window still in front')
        self.assertEqual(alpha_of(back), 238)

    def test_click_through_goes_to_the_window_below_until_it_is_undone(self):
        self.watch_balloons()
        below, above = self.begin((100, 150), (250, 250))
        press('ctrl+alt+t')  # an opaque window is not made click-through
        self.assertFalse(info(above)['exstyle'] & CLICK_THROUGH)
        press('ctrl+alt+Down', 'ctrl+alt+t')
        wait_until(lambda: info(above)['exstyle'] & CLICK_THROUGH, 5, 'click-through')
        click_at((300, 300))
        wait_until(lambda: info(below)['title'] == 'Plain clicked', 5, 'the click to reach the window below')
        self.assertEqual(info(above)['title'], 'Plain clicked')  # by the click that brought it in front only
        wait_until(lambda: len(self.balloons()) == 1, 5, 'how to undo it')
        self.assertIn('Ctrl+Alt+T', self.balloons()[0][1])
        probe('front', above)
        press('ctrl+alt+t')
        wait_until(lambda: not info(above)['exstyle'] & CLICK_THROUGH, 5, 'the same key to undo it')
        press('ctrl+alt+t', 'ctrl+alt+0')  # opaque in any way ends it
        wait_alpha(above, None)
        self.assertFalse(info(above)['exstyle'] & CLICK_THROUGH)
        self.assertEqual(len(self.balloons()), 1)

    def test_a_key_another_program_holds_is_told_once_and_the_others_work(self):
        self.watch_balloons()
        self.serve('hotkey', 3, 0x28)  # Ctrl+Alt+Down
        [window] = self.begin((500, 150))
        probe('alpha', window, 100)
        press('ctrl+alt+Down', 'ctrl+alt+Up')
        wait_alpha(window, 102)
        wait_until(lambda: self.balloons(), 5, 'the balloon')
        self.assertEqual(self.balloons(), [['A key of Veloria is taken', 'Another program uses Ctrl+Alt+Down. '
                                            'Choose another key on the Programs tab of the options.']])

    def test_keys_step_the_window_in_front_to_both_ends_and_one_set_on_the_programs_tab_takes_over(self):
        [window] = self.begin((500, 150))
        for key, level in (('Down', 246), ('Down', 238), ('Up', 246), ('Up', None)):
            press('ctrl+alt+' + key)
            wait_alpha(window, level)
        press(*['ctrl+alt+Down'] * 31)
        wait_alpha(window, 8, 'the lowest level, never 0')
        press('ctrl+alt+0')
        wait_alpha(window, None)

        open_options(self.main['pid'])
        time.sleep(0.5)
        press('ctrl+Tab', 'ctrl+Tab')
        fields = wait_until(lambda: [w for w in windows('msctls_hotkey32', None) if w['visible']], 5, 'the keys')
        click_at(centre(fields[0]['rect']))
        press('ctrl+alt+Next')
        click_at(centre([w for w in windows('Button', None) if w['title'] == 'OK'][0]['rect']))
        config = pathlib.Path(self.folders[-1], 'Config.ini')
        wait_until(lambda: config.exists() and '[Keys]\r\nMoreSeeThrough=Ctrl+Alt+PageDown\r\n' in
                   config.read_bytes().decode('cp1252'), 5, 'the key saved')
        click_at(centre(rect_of(window)))
        press('ctrl+alt+Down', 'ctrl+alt+Next')
        wait_alpha(window, 246, 'one step, by the new key only')
