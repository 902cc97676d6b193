"""The options dialog, opened from the tray menu and used with the mouse and
the keyboard: what it shows, what it changes at once, what OK, Apply and
Cancel save, and the Run value."""
import os
import time

from harness import (ProgramTestCase, alpha_of, centre, choose, click_at, dialogs, dismiss_menu, info, open_menu,
                     open_options, probe, quiet, wait_alpha, wait_until, windows, xdotool)

RUN_KEY = r'HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
BM_GETCHECK, TBM_GETPOS, CB_GETCURSEL = 0xF0, 0x400, 0x147


def run_value():
    """The data of the Run value "Veloria 2", or None."""
    value = probe('regget', RUN_KEY, 'Veloria 2')[0]
    return None if value == 'none' else value


class Options(ProgramTestCase):

    def open(self, **config):
        lines = ''.join(f'{key}={value}\r\n' for key, value in config.items())
        self.process, self.main = self.start(config='[General]\r\n' + lines)
        self.folder = self.folders[-1]
        self.dialog = open_options(self.main['pid'])
        time.sleep(0.5)

    def control(self, title=None, klass=None, index=0):
        """A control the dialog shows now, by its caption or its class (the
        index-th of the class)."""
        found = wait_until(lambda: [w for w in windows(parent=self.dialog['handle']) if w['visible'] and (
            title is None or w['title'] == title) and (klass is None or w['class'] == klass)], 5, title or klass)
        return found[index]

    def value(self, control, message):
        return int(probe('send', control['handle'], message, 0, 0)[0])

    def config(self):
        with open(os.path.join(self.folder, 'Config.ini'), 'rb') as file:
            return file.read().decode('cp1252')

    def slide(self, slider, position):
        """Takes the slider to `position` with the keyboard, from its start."""
        click_at(centre(info(slider['handle'])['rect']))
        xdotool('key', 'Home')
        for _ in range(position - 1):
            xdotool('key', 'Right')
        time.sleep(0.5)

    def test_one_dialog_that_the_keyboard_drives_and_whose_banner_falls_back_on_its_picture(self):
        self.open(LanguageFile='Spanish.ini')
        choose(self.main['pid'], 5)
        time.sleep(0.5)
        self.assertEqual([w['handle'] for w in dialogs(self.main['pid'])], [self.dialog['handle']])
        self.assertEqual(self.dialog['title'], 'Veloria Opciones')
        # No browser engine in the test prefix: the picture shows instead.
        wait_until(lambda: not [w for w in windows('VeloriaBrowserHost', None) if w['visible']], 5, 'the banner to go')
        picture = [w for w in windows('Static', parent=self.dialog['handle']) if w['rect'][2] - w['rect'][0] == 492]
        self.assertTrue(picture[0]['visible'])
        # Letter case counts: the first language listed (Wine lists a folder
        # in name order: english.ini) stays selected, and its identity shows.
        self.assertEqual(self.value(self.control(klass='ComboBox'), CB_GETCURSEL), 0)
        self.control(title='Date: 2026-12-06')
        xdotool('key', 'Escape')
        wait_until(lambda: not dialogs(self.main['pid']), 5, 'the dialog to close')
        self.assertEqual(self.config(), '[General]\r\nLanguageFile=Spanish.ini\r\n')

    def test_apply_saves_levels_as_the_sliders_give_them_and_a_new_language(self):
        self.open(DefaultAlpha=222, LanguageFile='spanish.ini')
        self.assertEqual(self.dialog['title'], 'Veloria Opciones')
        self.assertEqual(self.value(self.control(klass='msctls_trackbar32'), TBM_GETPOS), 26)
        self.control(title='Versi\xf3n: 2.0.0')
        # English, by the keyboard in the language list, then Apply.
        click_at(centre(self.control(klass='ComboBox')['rect']))
        xdotool('key', 'Escape')
        xdotool('key', 'e')
        wait_until(lambda: [w for w in windows('Static', self.dialog['handle']) if w['title'] == 'Version: 2.0.0'], 5,
                   'the English identity')
        click_at(centre(self.control(title='Aplicar')['rect']))
        wait_until(lambda: info(self.dialog['handle'])['title'] == 'Veloria Options', 5, 'the dialog in English')
        self.assertIn('DefaultAlpha=221\r\n', self.config())
        self.assertIn('LanguageFile=english.ini\r\n', self.config())
        self.assertEqual(self.value(self.control(klass='msctls_trackbar32'), TBM_GETPOS), 26)
        menu = open_menu(self.main['pid'])
        self.assertEqual(menu['entries'][10]['caption'], 'Close')
        dismiss_menu(self.main['pid'])

    def test_start_with_windows_offers_the_taskbar_and_writes_the_quoted_path(self):
        self.addCleanup(lambda: quiet(['wine', 'reg', 'delete', RUN_KEY, '/v', 'Veloria 2', '/f']))
        self.open(AutoStart=0, AtutoMenuInicio_ALPHA=1, AtutoMenuInicio_ALPHAV=150)
        xdotool('key', 'ctrl+Tab')
        taskbar_box = self.control(title='Make the taskbar transparent at start-up')
        self.assertEqual(self.value(taskbar_box, BM_GETCHECK), 0)
        self.assertFalse(taskbar_box['enabled'])
        self.assertFalse(self.control(klass='msctls_trackbar32')['enabled'])
        click_at(centre(self.control(title='Start Veloria with Windows')['rect']))
        time.sleep(0.3)
        self.assertFalse(info(taskbar_box['handle'])['enabled'])
        click_at(centre(self.control(title='Apply')['rect']))
        wait_until(lambda: info(taskbar_box['handle'])['enabled'], 5, 'the taskbar box')
        self.assertIn('AutoStart=1\r\nAtutoMenuInicio_ALPHA=0\r\n', self.config())
        xdotool('key', 'Return')  # OK
        wait_until(lambda: not dialogs(self.main['pid']), 5, 'the dialog to close')
        exe = 'Z:' + os.path.join(self.folder, 'veloria.exe').replace('/', '\\')
        self.assertEqual(run_value(), f'"{exe}"')

    def test_the_taskbar_slider_acts_at_once_and_cancel_keeps_the_file(self):
        self.addCleanup(lambda: probe('alpha', windows('Shell_TrayWnd')[0]['handle'], -1))
        self.open(AutoStart=1, AtutoMenuInicio_ALPHA=1)
        before = self.config()
        own = self.control(klass='msctls_trackbar32', index=-1)
        self.slide(own, 15)
        wait_alpha(self.dialog['handle'], 128, 'the dialog')
        self.assertEqual(probe('acc', own['handle']), [f'Opacity of {self.dialog["title"]}\t51\t50 %'])
        xdotool('key', 'End')
        time.sleep(0.5)
        self.assertEqual(alpha_of(self.dialog['handle']), 255)
        xdotool('key', 'ctrl+Tab')
        self.control(title='Start Veloria with Windows')  # the page is on show
        self.slide(self.control(klass='msctls_trackbar32'), 15)
        taskbar = windows('Shell_TrayWnd')[0]['handle']
        wait_alpha(taskbar, 128, 'the taskbar')
        self.assertEqual(probe('acc', self.control(klass='msctls_trackbar32')['handle']),
                         ['Make the taskbar transparent at start-up\t51\t50 %'])  # named by its box
        menu = open_menu(self.main['pid'])
        self.assertTrue(menu['entries'][3]['checked'])
        dismiss_menu(self.main['pid'])
        click_at(centre(self.control(title='Cancel')['rect']))
        wait_until(lambda: not dialogs(self.main['pid']), 5, 'the dialog to close')
        self.assertEqual(alpha_of(taskbar), 128)
        self.assertEqual(self.config(), before)
