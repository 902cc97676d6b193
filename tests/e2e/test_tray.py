"""The tray icon, its popup menu and language switching, driven with real
mouse input on Wine's taskbar."""
import os
import time

from harness import (PROBE, VERSION, ProgramTestCase, choose, dismiss_menu, open_menu, probe, quiet, read_menu,
                     shipped, tooltip_text, tray_icon, wait_until, windows, windows_path, xdotool)

ENGLISH = ['About', 'Tell a Friend', '', 'Transparent Taskbar', '', 'Options', 'Language', '', 'Help',
           'Make every window opaque', 'Close']
SPANISH = ['Acerca de', 'Recomendar a un amigo', '', 'Barra de tareas transparente', '', 'Opciones', 'Idioma', '',
           'Ayuda', 'Hacer opacas todas las ventanas', 'Cerrar']


def captions(menu):
    return [entry['caption'] for entry in menu['entries']]


def checked_languages(menu):
    return [entry['caption'] for entry in menu['languages'] if entry['checked']]


def read_log(path):
    if not os.path.exists(path):
        return []
    with open(path) as log:
        return log.read().split()


class TrayIcon(ProgramTestCase):

    def test_the_shell_is_asked_to_add_the_icon_again_and_to_remove_it_at_close(self):
        process, window = self.start()
        log = self.scratch('tray.txt')
        # A shell restart as the program sees it: a new tray window announces
        # itself.
        self.serve('tray', windows_path(log), 0)
        probe('post', window['handle'], 'TaskbarCreated')
        handle = window['handle']
        added = ['add', handle, 'setversion', handle]  # the icon, and its keys asked for
        wait_until(lambda: read_log(log) == added, 10, 'the icon to be added again')
        probe('close', handle)
        self.assertEqual(process.wait(timeout=10), 0)
        self.assertEqual(read_log(log), added + ['delete', handle])

    def test_an_icon_the_shell_refuses_at_start_is_added_again(self):
        log = self.scratch('tray.txt')
        self.serve('tray', windows_path(log), 1)
        _, window = self.start()
        handle = window['handle']
        wait_until(lambda: read_log(log) == ['add', handle, 'refused', 'add', handle, 'setversion', handle], 10,
                   'a second try')


class PopupMenu(ProgramTestCase):

    def test_the_icon_s_keys_open_the_pointer_window_and_the_menu_which_the_keyboard_walks(self):
        # Wine's taskbar takes the keyboard to no icon: the test tells the
        # keys to the icon's window as the shell does.
        log = self.scratch('tray.txt')
        self.serve('tray', windows_path(log), 0)
        process, window = self.start()
        handle, pid = window['handle'], window['pid']
        probe('post', handle, 0x200, 1, 0x401)  # NIN_KEYSELECT: Enter or Space
        wait_until(lambda: [w for w in windows('VeloriaMainControl') if w['visible']], 5, 'the pointer window')
        probe('post', handle, 0x200, 1, 0x7B)  # WM_CONTEXTMENU: Shift+F10 or the menu key
        self.assertEqual(captions(wait_until(lambda: read_menu(pid), 10, 'the tray menu')), ENGLISH)
        xdotool('key', 'Escape')
        wait_until(lambda: read_menu(pid) is None, 5, 'the menu to close')
        wait_until(lambda: read_log(log)[-2:] == ['setfocus', handle], 5, 'the focus back on the tray')
        probe('post', handle, 0x200, 1, 0x7B)
        wait_until(lambda: read_menu(pid), 10, 'the tray menu again')
        xdotool('key', 'Up', 'Return')  # from the bottom: Close
        self.assertEqual(process.wait(timeout=10), 0)

    def test_the_icon_shows_its_tooltip_and_right_click_opens_the_eleven_entries_at_the_pointer(self):
        process, window = self.start()
        x, y = tray_icon()
        # From elsewhere: a pointer already resting there makes no move.
        xdotool('mousemove', x - 200, y - 200)
        time.sleep(0.5)
        xdotool('mousemove', x, y)
        self.assertEqual(wait_until(tooltip_text, 10, 'the tooltip'), 'Veloria ')
        menu = open_menu(window['pid'])
        self.assertEqual(captions(menu), ENGLISH)
        self.assertEqual([i for i, e in enumerate(menu['entries']) if e['kind'] == 'separator'], [2, 4, 7])
        self.assertEqual(menu['entries'][6]['kind'], 'submenu')
        self.assertFalse(any(e['checked'] for e in menu['entries']))
        # At the pointer: the system may only flip it to stay on the screen.
        left, top, right, bottom = menu['rect']
        self.assertLessEqual(min(abs(x - left), abs(x - right)), 12)
        self.assertLessEqual(min(abs(y - top), abs(y - bottom)), 12)
        dismiss_menu(window['pid'])
        self.assertIsNone(process.poll())

    def test_the_submenu_lists_the_folder_and_a_broken_file_shows_the_error_text(self):
        broken = shipped('english.ini').replace(b'[MainMenu]', b'[NotTheMenu]')
        folder = self.folder(config='[General]\r\nLanguageFile=zulu.ini\r\n', languages={
            'zulu.ini': broken, 'english.ini': shipped('english.ini'), 'spanish.ini': shipped('spanish.ini'),
            'readme.txt': b'x'})
        _, window = self.start(folder)
        menu = open_menu(window['pid'])
        self.assertEqual([c for i, c in enumerate(captions(menu)) if i not in (2, 4, 7)], ['VL_lang_error'] * 6 + ['Make every window opaque', 'VL_lang_error'])
        self.assertEqual(menu['languages'][0]['kind'], 'separator')
        self.assertEqual(sorted(e['caption'] for e in menu['languages'][1:]), ['english.ini', 'spanish.ini',
                                                                               'zulu.ini'])
        self.assertEqual(checked_languages(menu), [])
        dismiss_menu(window['pid'])

    def test_choosing_a_language_switches_captions_and_moves_the_check_mark(self):
        _, window = self.start()
        pid = window['pid']
        for language, expected in (('spanish.ini', SPANISH), ('english.ini', ENGLISH), ('english.ini', ENGLISH)):
            choose(pid, 6, language)
            menu = open_menu(pid)
            self.assertEqual(captions(menu), expected)
            self.assertEqual(checked_languages(menu), [language])
            dismiss_menu(pid)
        # The choice lives in memory only: nothing was written.
        self.assertEqual(os.listdir(self.folders[-1]).count('Config.ini'), 0)

    def test_help_hands_the_help_address_to_the_browser(self):
        record = self.scratch('addresses.txt')
        command = f'"{windows_path(PROBE)}" record "{windows_path(record)}" "%1"'
        quiet(['wine', 'reg', 'add', r'HKCR\http\shell\open\command', '/ve', '/d', command, '/f'])
        quiet(['wine', 'reg', 'delete', r'HKCR\http\shell\open\ddeexec', '/f'])
        _, window = self.start(config='[General]\r\nLanguageFile=spanish.ini\r\n')
        choose(window['pid'], 8)
        wait_until(lambda: read_log(record), 15, 'the browser to be given an address')
        digits = VERSION.replace('.', '')
        self.assertEqual(read_log(record), [f'http://veloria.example/software/vl/help.php?v={digits}&cc=es'])
