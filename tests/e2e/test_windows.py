"""The program's own windows: the banner's countdown, the tell-a-friend
window, the About window, and the skinned look of the pointer window and
the level popup (ControlStyle=0)."""
import re
import time

from harness import (VERSION, ProgramTestCase, centre, choose, click_at, dialogs, drag, info, level_popup,
                     menu_lines, open_pointer_window, press_on, probe, rect_of, shipped, system_menu, wait_alpha,
                     wait_until, windows, xdotool)

SC_CLOSE, CLOSE_OFF, WM_SYSCOMMAND, SC_MINIMIZE, SC_RESTORE = 0xF060, 0xFFFFFFF6, 0x112, 0xF020, 0xF120
WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST = 0x1A, 0x43


def english(key):
    return re.search(rf'^{key}=(.*?)\r?$', shipped('english.ini').decode('cp1252'), re.M)[1]


def shown(klass, pid):
    return wait_until(lambda: [w for w in windows(klass) if w['pid'] == pid and w['visible']], 10, klass)[0]


def region(window):
    """The window's shape: (rectangle count, box), or None."""
    answer = probe('region', window['handle'])[0]
    if answer == 'none':
        return None
    count, box = answer.split('\t')
    return int(count), [int(v) for v in box.split(',')]


class Banner(ProgramTestCase):

    def test_the_countdown_keeps_the_banner_open_then_frees_its_close_command_and_stops(self):
        _, main = self.start()
        pid = main['pid']
        banner = shown('VeloriaBanner', pid)
        handle = banner['handle']
        self.assertEqual(banner['alpha'], 200)
        self.assertEqual([item for item in system_menu(pid, handle) if item[0] in (SC_CLOSE, CLOSE_OFF)],
                         [(CLOSE_OFF, True)])
        probe('send', handle, WM_SYSCOMMAND, SC_CLOSE, 0)
        self.assertTrue(info(handle)['visible'])

        title = english('LANG_WINDOWCONTROL_TITLE') + '  Veloria ' + VERSION
        wait_until(lambda: info(handle)['title'] == title + '     2 Sec', 6, 'the countdown at 2')
        wait_until(lambda: info(handle)['title'] == title, 4, 'the end of the countdown')
        self.assertEqual([item for item in system_menu(pid, handle) if item[0] in (SC_CLOSE, CLOSE_OFF)],
                         [(SC_CLOSE, False)])
        # No tick comes after the last one.
        probe('settext', handle, 'still')
        time.sleep(2.5)
        self.assertEqual(info(handle)['title'], 'still')
        # Its slider sets its own level; at the end it is not layered at all.
        press_on(banner, 'Home')
        wait_alpha(handle, 8, 'the banner')
        xdotool('key', 'End')
        wait_alpha(handle, None, 'the banner')

        probe('send', handle, WM_SYSCOMMAND, SC_CLOSE, 0)
        wait_until(lambda: not windows('VeloriaBanner'), 5, 'the banner to close')
        # A language choice shows it afresh, its close command off again.
        choose(pid, 6, 'spanish.ini')
        banner = shown('VeloriaBanner', pid)
        self.assertIn((CLOSE_OFF, True), system_menu(pid, banner['handle']))


class TellAFriend(ProgramTestCase):

    def test_a_page_that_fails_is_told_once_the_window_keeps_its_layout_and_about_shows_the_version(self):
        _, main = self.start()
        pid = main['pid']
        choose(pid, 1)
        window = shown('VeloriaTellAFriend', pid)
        handle = window['handle']
        self.assertEqual(window['title'], english('LANG_WINDOWTELLAFRIEND_TITLE') + ' Veloria ' + VERSION)
        self.assertEqual(window['alpha'], 235)
        [box] = wait_until(lambda: dialogs(pid), 10, 'the failure message')
        self.assertEqual([w['title'] for w in windows('Static', parent=box['handle']) if w['title']],
                         [english('LANG_WINDOWTELLAFRIEND_MSGBOX_FAILCONNECTINTRENET')])
        probe('send', handle, 0x8200, 1, 0, check=False)  # the page fails again: no second message
        self.assertEqual(len(dialogs(pid)), 1)
        press_on(box, 'Return')
        wait_until(lambda: not dialogs(pid), 5, 'the message to close')

        def layout():
            [page] = windows('VeloriaBrowserHost', parent=handle)
            [button] = [w for w in windows('Button', parent=handle)]
            return page['rect'], button['rect'], rect_of(handle)

        def shape(page, button, _):
            """The page's size and the button's place beside it."""
            return page[2] - page[0], page[3] - page[1], [b - p for b, p in zip(button, page)]

        probe('move', handle, 100, 100, 500, 300)
        page, button, frame = wait_until(lambda: (lambda l: l if l[2][2] == 600 else None)(layout()), 5, 'the resize')
        # The page reaches 250 twips (17 pixels) past the client area's right
        # edge and stops 500 twips (33) above its bottom; the button stands
        # 450 twips (30) below the page's foot, its top-left corner 24 higher.
        border = page[0] - frame[0]
        self.assertEqual(page[2], frame[2] - border + 17)
        self.assertAlmostEqual(frame[3] - border - page[3], 33, delta=1)
        self.assertEqual(button[3] - button[1], 24)
        self.assertAlmostEqual(button[1] - page[3], 6, delta=1)
        probe('send', handle, WM_SYSCOMMAND, SC_MINIMIZE, 0)
        self.assertEqual(shape(*layout()), shape(page, button, frame))
        probe('send', handle, WM_SYSCOMMAND, SC_RESTORE, 0)
        self.assertEqual(layout(), (page, button, frame))
        # The window does not shrink below a page of some height.
        probe('move', handle, 100, 100, 20, 20)
        page = layout()[0]
        self.assertGreater(page[3] - page[1], 0)

        click_at(centre(layout()[1]))
        wait_until(lambda: not windows('VeloriaTellAFriend'), 5, 'the window to close')
        self.assertEqual(dialogs(pid), [])
        # The banner's second button opens it again.
        banner = shown('VeloriaBanner', pid)
        click_at(centre([w for w in windows('Button', parent=banner['handle'])][1]['rect']))
        probe('close', shown('VeloriaTellAFriend', pid)['handle'])

        # The plain About window: the version and its own level.
        choose(pid, 0)
        window = shown('VeloriaAbout', pid)
        self.assertEqual(window['title'], 'Veloria ' + VERSION)
        self.assertEqual(window['alpha'], 217)
        self.assertIsNone(region(window))
        press_on(window, 'Home')
        wait_alpha(window['handle'], 13, 'the about window')
        xdotool('key', 'End')
        wait_alpha(window['handle'], 255, 'the about window')
        # The right button opens its menu of one entry, which does nothing.
        left, top, right, bottom = window['rect']
        click_at((left + 40, top + 60), 3)
        wait_until(lambda: [f for f in menu_lines(pid) if f[0] == 'item'], 5, 'the popup menu')
        self.assertEqual([f[6] for f in menu_lines(pid) if f[0] == 'item'], ['REgresar'])
        xdotool('key', 'Return')
        time.sleep(0.5)
        self.assertEqual(rect_of(window['handle']), window['rect'])
        probe('close', window['handle'])
        wait_until(lambda: not windows('VeloriaAbout'), 5, 'the about window to close')


class Skinned(ProgramTestCase):
    """ControlStyle=0: the windows are cut to their pictures, frame and
    caption away, and still work."""

    def test_the_pointer_window_the_level_popup_and_the_about_window_are_cut_to_their_pictures(self):
        _, main = self.start(config='[General]\r\nControlStyle=0\r\n')
        target = self.foreign()[0]
        window, image = open_pointer_window()
        count, box = region(window)
        width, height = window['rect'][2] - window['rect'][0], window['rect'][3] - window['rect'][1]
        # The frame is cut away, and so are the picture's rounded corners.
        self.assertGreater(count, 10)
        self.assertTrue(0 < box[0] and 0 < box[1] and box[2] < width and box[3] < height, (box, width, height))
        drag(image, centre(rect_of(target)))
        wait_alpha(target, 222, 'the picked window')
        drag(image, centre(rect_of(target)), keys=('ctrl',))
        popup, _ = wait_until(level_popup, 5, 'the level popup')
        self.assertGreater(region(popup)[0], 10)
        probe('close', popup['handle'])

        choose(main['pid'], 0)
        about = shown('VeloriaAbout', main['pid'])
        self.assertGreater(region(about)[0], 10)
        self.assertEqual(about['alpha'], 217)

        # A high-contrast theme comes on (a stand-in: Wine has none), and
        # Windows tells every window: each is whole and opaque at once.
        probe('contrast', main['pid'])
        for each in windows():
            if each['pid'] == main['pid']:
                probe('send', each['handle'], WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0)
        for each in (about, window, shown('VeloriaBanner', main['pid'])):
            self.assertEqual((region(each), info(each['handle'])['alpha']), (None, None), each['class'])
        drag(image, centre(rect_of(target)), keys=('ctrl',))
        popup, _ = wait_until(level_popup, 5, 'the level popup')
        self.assertEqual((region(popup), info(popup['handle'])['alpha']), (None, None))
