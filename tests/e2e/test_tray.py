"""The tray icon, its popup menu and language switching, driven with real
mouse input on Wine's taskbar."""
import os
import tempfile
import time

from harness import (ProgramTestCase, choose_language, choose_menu_entry, click_at, dismiss_menu, main_windows,
                     mutex_state, open_tray_menu, probe, read_menu, register_browser, tray_icon_centre,
                     tray_icon_colours, tooltip_text, wait_until, windows_path, xdotool)

ENGLISH = ['About', 'Tell a Friend', '', 'Transparent Taskbar', '', 'Options', 'Language', '', 'Help', 'Close']
SPANISH = ['Acerca de', 'Recomendar a un amigo', '', 'Barra de tareas transparente', '', 'Opciones', 'Idioma', '',
           'Ayuda', 'Cerrar']
SEPARATORS = {2, 4, 7}


def captions(menu):
    return [entry['caption'] for entry in menu['entries']]


def checked_languages(menu):
    return [entry['caption'] for entry in menu['languages'] if entry['checked']]


class TrayIcon(ProgramTestCase):

    def test_icon_shows_its_tooltip_and_leaves_at_close(self):
        empty = tray_icon_colours()
        _folder, process, _window, pid = self.start_program()
        wait_until(lambda: tray_icon_colours() > empty + 4, 10, what='the icon in the tray')
        xdotool('mousemove', *tray_icon_centre())
        self.assertEqual(wait_until(tooltip_text, 10, what='the tooltip'), 'Veloria ')

        choose_menu_entry(pid, 9)
        self.assertEqual(process.wait(timeout=10), 0)
        wait_until(lambda: tray_icon_colours() <= empty, 5, what='the icon to leave the tray')
        self.assertEqual(mutex_state('Veloria2.0.0'), 'free')

    def test_the_icon_comes_back_when_the_shell_starts_again(self):
        empty = tray_icon_colours()
        _folder, _process, window, _pid = self.start_program()
        wait_until(lambda: tray_icon_colours() > empty + 4, 10, what='the icon in the tray')
        # What a shell restart does to the icons: they are gone, then the new
        # taskbar announces itself.
        probe('untray', window, 1)
        wait_until(lambda: tray_icon_colours() <= empty, 5, what='the icon to be removed')
        probe('post', window, 'TaskbarCreated')
        wait_until(lambda: tray_icon_colours() > empty + 4, 10, what='the icon to come back')


class PopupMenu(ProgramTestCase):

    def test_right_click_opens_the_ten_entries_at_the_pointer(self):
        _folder, process, _window, pid = self.start_program()
        menu, (x, y) = open_tray_menu(pid)
        self.assertEqual(captions(menu), ENGLISH)
        self.assertEqual({e['index'] for e in menu['entries'] if e['kind'] == 'separator'}, SEPARATORS)
        self.assertEqual(menu['entries'][6]['kind'], 'submenu')
        self.assertFalse(any(e['checked'] for e in menu['entries']))
        # At the pointer: the system may only flip it to stay on the screen.
        left, top, right, bottom = menu['rect']
        self.assertLessEqual(min(abs(x - left), abs(x - right)), 12)
        self.assertLessEqual(min(abs(y - top), abs(y - bottom)), 12)
        dismiss_menu()
        wait_until(lambda: read_menu(pid).main is None, 5, what='the menu to close')
        self.assertIsNone(process.poll())

    def test_captions_come_from_the_language_in_use(self):
        _folder, _process, _window, pid = self.start_program(config='[General]\r\nLanguageFile=spanish.ini\r\n')
        menu, _ = open_tray_menu(pid)
        self.assertEqual(captions(menu), SPANISH)
        dismiss_menu()

    def test_a_language_file_without_its_menu_section_shows_the_error_text(self):
        broken = open(os.path.join(os.environ['VELORIA_BUILD'], 'language', 'english.ini'), 'rb').read()
        broken = broken.replace(b'[MainMenu]', b'[NotTheMenu]')
        _folder, _process, _window, pid = self.start_program(
            config='[General]\r\nLanguageFile=broken.ini\r\n', languages={'broken.ini': broken})
        menu, _ = open_tray_menu(pid)
        self.assertEqual([c for i, c in enumerate(captions(menu)) if i not in SEPARATORS], ['VL_lang_error'] * 7)
        dismiss_menu()

    def test_the_language_submenu_lists_the_folder_in_its_order(self):
        build = os.environ['VELORIA_BUILD']
        english = open(os.path.join(build, 'language', 'english.ini'), 'rb').read()
        spanish = open(os.path.join(build, 'language', 'spanish.ini'), 'rb').read()
        folder, _process, _window, pid = self.start_program(
            languages={'zulu.ini': english, 'english.ini': english, 'spanish.ini': spanish, 'readme.txt': b'x'})
        listed = probe('list', windows_path(folder.language) + '\\*.ini')
        self.assertEqual(sorted(listed), ['english.ini', 'spanish.ini', 'zulu.ini'])
        menu, _ = open_tray_menu(pid)
        self.assertEqual(menu['languages'][0]['kind'], 'separator')
        self.assertEqual([e['caption'] for e in menu['languages'][1:]], listed)
        self.assertEqual(checked_languages(menu), [])
        dismiss_menu()

    def test_choosing_a_language_switches_captions_and_moves_the_check_mark(self):
        folder, _process, _window, pid = self.start_program()
        choose_language(pid, 'spanish.ini')
        menu, _ = open_tray_menu(pid)
        self.assertEqual(captions(menu), SPANISH)
        self.assertEqual(checked_languages(menu), ['spanish.ini'])
        dismiss_menu()

        choose_language(pid, 'english.ini')
        menu, _ = open_tray_menu(pid)
        self.assertEqual(captions(menu), ENGLISH)
        self.assertEqual(checked_languages(menu), ['english.ini'])
        dismiss_menu()

        choose_language(pid, 'english.ini')
        menu, _ = open_tray_menu(pid)
        self.assertEqual(checked_languages(menu), ['english.ini'])
        dismiss_menu()
        # The choice lives in memory only: nothing was written.
        self.assertFalse(os.path.exists(folder.config_path))

    def test_help_hands_the_help_address_to_the_browser(self):
        record = tempfile.NamedTemporaryFile(prefix='veloria-browser-', suffix='.txt', delete=False)
        record.close()
        os.unlink(record.name)
        register_browser(record.name)
        try:
            _folder, _process, _window, pid = self.start_program(config='[General]\r\nLanguageFile=spanish.ini\r\n')
            choose_menu_entry(pid, 8)
            wait_until(lambda: os.path.exists(record.name) and open(record.name).read().strip(), 15,
                       what='the browser to be given an address')
            with open(record.name) as recorded:
                self.assertEqual(recorded.read().split(),
                                 ['http://veloria.example/software/vl/help.php?v=200&cc=es'])
        finally:
            if os.path.exists(record.name):
                os.unlink(record.name)

    def test_close_ends_the_program(self):
        _folder, process, _window, pid = self.start_program()
        choose_menu_entry(pid, 9)
        self.assertEqual(process.wait(timeout=10), 0)
        self.assertEqual(main_windows(), [])
        self.assertEqual(mutex_state('Veloria2.0.0'), 'free')
