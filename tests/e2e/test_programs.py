"""Programs whose windows keep a level: remembered from the level popup,
given to every new window of theirs in any of their processes, listed,
changed and forgotten on the options dialog's programs page."""
import os
import shutil
import time

from harness import (PROBE, ProgramTestCase, alpha_of, centre, click_at, drag, info, level_popup, list_rows,
                     open_pointer_window, probe, programs_tab, rect_of, wait_alpha, wait_until, windows, xdotool)


class RememberedPrograms(ProgramTestCase):

    def begin(self, config=None, before=()):
        """A folder with a stand-in "player.exe"; its windows `before` (title, kind) are
        open when Veloria starts."""
        folder = self.folder(config=config)
        self.player = os.path.join(folder, 'player.exe')
        shutil.copy(PROBE, self.player)
        self.config_path = os.path.join(folder, 'Config.ini')
        opened = [self.open_player(title, kind=kind) for title, kind in before]
        self.process, self.main = self.start(folder)
        return opened

    def open_player(self, title, x=150, y=150, kind='plain'):
        return self.serve('window', title, kind, x, y, exe=self.player)[0]

    def config(self):
        with open(self.config_path, 'rb') as file:
            return file.read().decode('cp1252')

    def programs_page(self):
        return programs_tab(self.main['pid'], 'SysListView32')[0]['handle']

    def click_row(self, page_list, row):
        """Clicks the list's row by the height of its header and rows."""
        [header] = windows('SysHeader32', None)
        left, _, right, bottom = header['rect']
        click_at(((left + right) // 2, bottom + 8 + 17 * row))
        time.sleep(0.3)

    def button(self, title):
        return wait_until(lambda: [w for w in windows('Button', None) if w['title'] == title and w['visible']], 5,
                          title)[0]

    def test_a_program_remembered_from_the_popup_gives_every_new_window_its_level_until_it_is_removed(self):
        self.begin()
        one = self.open_player('One')
        _, image = open_pointer_window()
        drag(image, centre(rect_of(one)), keys=('ctrl',))
        wait_until(level_popup, 5, 'the level popup')
        click_at(centre(self.button('Always for player.exe')['rect']))
        wait_until(lambda: 'player.exe=221' in self.config(), 5, 'the program remembered at the popup\'s level')
        xdotool('key', 'shift+Tab', 'Left')  # back to the slider: the stored level follows it
        wait_until(lambda: '[Programs]\r\nplayer.exe=212\r\n' in self.config(), 5, 'the stored level to follow')
        wait_alpha(one, 212)
        xdotool('key', 'Escape')
        wait_until(lambda: level_popup() is None, 5, 'the popup to close')

        probe('post', one, 'VeloriaProbeAnotherWindow')
        another = wait_until(lambda: [w for w in windows() if w['title'] == 'One +' and w['visible']], 2, 'One +')
        wait_until(lambda: [w for w in windows() if w['title'] == 'One +' and w['alpha'] == 212], 1, 'One + at 212')
        two = self.open_player('Two', 500, 150)
        wait_until(lambda: alpha_of(two) == 212, 1.5, 'a second process at the level')

        page_list = self.programs_page()
        self.assertEqual(list_rows(self.main['pid'], page_list), ['player.exe\t83 %\t0'])
        self.click_row(page_list, 0)
        self.assertEqual(list_rows(self.main['pid'], page_list), ['player.exe\t83 %\t1'])
        click_at(centre(self.button('Remove')['rect']))
        wait_until(lambda: list_rows(self.main['pid'], page_list) == [], 5, 'the program to go from the list')
        click_at(centre(self.button('OK')['rect']))
        wait_until(lambda: 'player.exe' not in self.config(), 5, 'the program forgotten in the file')
        three = self.open_player('Three', 300, 400)
        time.sleep(1.5)
        self.assertIsNone(alpha_of(three))

        self.programs_page()
        click_at(centre(self.button('Make every window opaque')['rect']))
        for window in (one, two, another[0]['handle']):
            wait_alpha(window, None)
        xdotool('key', 'Escape')

    def test_a_program_see_through_only_in_the_background_is_opaque_while_it_is_in_front(self):
        self.begin(config='[Programs]\r\nplayer.exe=150\r\nnotes.exe=120\r\n')
        player = self.open_player('Player')
        [other] = self.foreign('plain', 600, 150)
        wait_alpha(player, 150)
        self.click_row(self.programs_page(), 0)
        click_at(centre(self.button('Only while in the background')['rect']))
        click_at(centre(self.button('OK')['rect']))
        wait_until(lambda: '\r\nnotes.exe=120\r\nplayer.exe:Background=1\r\n' in self.config(), 5, 'the choice saved')
        for front, level in ((player, 255), (other, 150), (player, 255)):
            click_at(centre(rect_of(front)))
            wait_alpha(player, level, f'the player with {info(front)["title"]} in front')
        probe('alpha', player, 100)  # its own program's level, or the user's, stays
        click_at(centre(rect_of(other)))
        time.sleep(1)
        self.assertEqual(alpha_of(player), 100)

    def test_a_file_saved_as_utf8_with_its_mark_keeps_every_setting(self):
        self.begin(config='\ufeff[General]\r\nDefaultAlpha=102\r\n[Programs]\r\ncaf\u00e9.exe=150\r\n'.encode())
        self.assertEqual(list_rows(self.main['pid'], self.programs_page()), ['caf\u00e9.exe\t59 %\t0'])
        click_at(centre(self.button('OK')['rect']))
        wait_until(lambda: 'AutoUpdate=' in self.config(), 5, 'the save')
        text = self.config()
        self.assertEqual([text.count('[General]'), text.count('[Programs]'), text[0]], [1, 1, '['])
        self.assertTrue('DefaultAlpha=102' in text and 'caf\u00e9.exe=150' in text, text)

    def test_a_remembered_level_goes_to_main_windows_only(self):
        self.begin(config='[Programs]\r\nplayer.exe=150\r\n')
        main, drop_down, tools = self.serve('window', 'Main', 'popups', 150, 150, count=3, exe=self.player)
        wait_alpha(main, 150, 'the main window')
        time.sleep(1)
        self.assertEqual([alpha_of(drop_down), alpha_of(tools)], [None, None])

    def test_a_section_with_junk_is_read_and_saved_without_loss_and_open_windows_get_their_level(self):
        junk = ('[Programs]\r\n; my players\r\njunk line\r\nplayer.exe=150\r\nPlayer.EXE=99\r\n'
                'c:\\x\\y.exe=100\r\nloud.exe=abc\r\nnotes.exe=120\r\nbig.exe=256\r\n')
        [early, late, desk] = self.begin(config='[General]\r\nDefaultAlpha=200\r\n' + junk,
                                         before=[('Early', 'plain'), ('Late', 'hidden'), ('Desk', 'class=WorkerW')])
        wait_alpha(early, 150, 'a window open before the start')
        self.assertEqual(info(desk)['layered'], 'plain')  # a desktop's class, whatever its program
        probe('show', late)  # Wine tells of a window's making only, not of its showing
        wait_alpha(late, 150, 'a window made before the start and shown after it')
        page_list = self.programs_page()
        self.assertEqual(list_rows(self.main['pid'], page_list), ['player.exe\t59 %\t0', 'notes.exe\t47 %\t0'])
        self.click_row(page_list, 1)
        xdotool('key', 'Delete')
        wait_until(lambda: len(list_rows(self.main['pid'], page_list)) == 1, 5, 'the program to go from the list')
        click_at(centre(self.button('OK')['rect']))
        wait_until(lambda: 'notes.exe' not in self.config(), 5, 'the save')
        self.assertIn(junk.replace('notes.exe=120\r\n', ''), self.config())
