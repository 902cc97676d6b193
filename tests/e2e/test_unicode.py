"""Texts and paths outside the system's code page. Every test's program
folder already has a name no code page spells; here, language files in
UTF-8 and UTF-16 under Cyrillic names show in the tray menu, the banner and
the options dialog, the choice is saved and survives a restart, and the
shipped Windows-1252 file reads the same on a Windows whose code page is
Russian."""
import os

from harness import ProgramTestCase, choose, open_menu, open_options, press_on, probe, shipped, wait_until, windows

RUSSIAN = 'русский.ini'
RUSSIAN_16 = 'ру-16.ini'


def utf16(text):
    return b'\xff\xfe' + text.encode('utf-16-le')


class Unicode(ProgramTestCase):

    def captions(self):
        return [entry['caption'] for entry in open_menu(self.main['pid'])['entries']]

    def test_cyrillic_files_in_utf8_and_utf16_show_everywhere_and_the_choice_survives_a_restart(self):
        russian = shipped('russian.ini')  # UTF-8 with its mark
        in_utf16 = utf16(russian[3:].decode('utf-8').replace('=Справка', '=Справка (UTF-16)'))
        folder = self.folder(config=utf16(f'[General]\r\nLanguageFile={RUSSIAN}\r\n'),
                             languages={'english.ini': shipped('english.ini'), RUSSIAN: russian,
                                        RUSSIAN_16: in_utf16})
        self.process, self.main = self.start(folder)
        wait_until(lambda: [w for w in windows('VeloriaBanner') if w['title'].startswith('Veloria продолжит работу через')],
                   10, 'the banner in Russian')
        captions = self.captions()
        self.assertEqual([captions[i] for i in (0, 5, 8, 10)], ['О программе', 'Настройки', 'Справка', 'Закрыть'])
        choose(self.main['pid'], 6, language=RUSSIAN_16)
        self.assertEqual(self.captions()[8], 'Справка (UTF-16)')
        dialog = open_options(self.main['pid'])
        self.assertEqual(dialog['title'], 'Veloria Настройки')
        shown = {w['title'] for w in windows(parent=dialog['handle']) if w['visible']}
        self.assertLessEqual({'ОК', 'Отмена', 'Применить', 'Версия: 2.0.0', 'Перевод: Команда Veloria'},
                             shown)
        press_on(dialog, 'Return')  # OK saves the choice
        wait_until(lambda: not windows('#32770'), 5, 'the dialog to close')
        with open(os.path.join(folder, 'Config.ini'), 'rb') as config:
            self.assertIn(f'LanguageFile={RUSSIAN_16}\r\n'.encode('utf-16-le'), config.read())
        probe('close', self.main['handle'])
        self.process.wait(timeout=10)
        self.process, self.main = self.start(folder)
        self.assertEqual(self.captions()[8], 'Справка (UTF-16)')

    def test_the_shipped_spanish_file_reads_the_same_where_the_code_page_is_russian(self):
        locales = os.environ.get('VELORIA_LOCALES', '')
        self.assertTrue(os.path.isdir(os.path.join(locales, 'ru_RU.UTF-8')), 'the test command makes the locale')
        env = dict(os.environ, LOCPATH=locales, LC_ALL='ru_RU.UTF-8')
        self.process, self.main = self.start(config='[General]\r\nLanguageFile=spanish.ini\r\n', env=env)
        dialog = open_options(self.main['pid'])
        self.assertIn('Versión: 2.0.0', {w['title'] for w in windows(parent=dialog['handle'])})
