"""Veloria at 150 %: Wine gives the programs it starts the scale of
HKCU\\Control Panel\\Desktop LogPixels (144 here). The banner and the cut
pointer window open at one and a half times their size, the pointer window
up-left of the cursor by 300 pixels, both wholly inside the work area."""
from harness import ProgramTestCase, child, open_pointer_window, quiet, tray_icon, wait_until, windows

DESKTOP = r'HKCU\Control Panel\Desktop'


def set_scale(dpi):
    quiet(['wine', 'reg', 'add', DESKTOP, '/v', 'LogPixels', '/t', 'REG_DWORD', '/d', str(dpi), '/f'])


class Scale(ProgramTestCase):

    def test_windows_open_at_the_scale_inside_the_work_area(self):
        set_scale(144)
        self.addCleanup(set_scale, 96)
        self.start(config='[General]\r\nControlStyle=0\r\n')
        [taskbar] = windows('Shell_TrayWnd')
        work = [0, 0, taskbar['rect'][2], taskbar['rect'][1]]

        def inside(rect):
            return work[0] <= rect[0] and work[1] <= rect[1] and rect[2] <= work[2] and rect[3] <= work[3]

        [banner] = wait_until(lambda: windows('VeloriaBanner'), 10, 'the banner')
        page = child(banner['handle'], 'VeloriaBrowserHost')['rect']
        self.assertEqual((page[2] - page[0], page[3] - page[1]), (720, 135))  # 480 x 90 at 96 DPI
        self.assertTrue(inside(banner['rect']), banner['rect'])

        x, y = tray_icon()
        pointer, _ = open_pointer_window()
        picture = child(pointer['handle'], 'VeloriaPointerImage')['rect']
        self.assertEqual((picture[2] - picture[0], picture[3] - picture[1]), (72, 72))  # 48 at 96 DPI
        self.assertEqual(pointer['rect'][:2], [x - 300, y - 300])
        self.assertTrue(inside(pointer['rect']), pointer['rect'])
