// The tray icon on Wine's taskbar: added for a window and removed for it
// while the window still stands (a destroyed window's icon would go anyway).
#include "shell/tray_icon.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_windows.h"

namespace veloria {
namespace {

// How many colours the taskbar shows where its outermost icon goes.
int ColoursAtFirstIcon()
{
    const HWND taskbar = ::FindWindowA("Shell_TrayWnd", nullptr);
    RECT bar{};
    ::GetWindowRect(taskbar, &bar);
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    const int centreX = bar.right - (size + 4) / 2;
    const int centreY = (bar.top + bar.bottom) / 2;
    HDC screen = ::GetDC(nullptr);
    std::vector<COLORREF> seen;
    for (int y = centreY - size / 2 + 2; y < centreY + size / 2 - 2; ++y) {
        for (int x = centreX - size / 2 + 2; x < centreX + size / 2 - 2; ++x) {
            const COLORREF colour = ::GetPixel(screen, x, y);
            bool known = false;
            for (COLORREF c : seen) {
                known = known || c == colour;
            }
            if (!known) {
                seen.push_back(colour);
            }
        }
    }
    ::ReleaseDC(nullptr, screen);
    return static_cast<int>(seen.size());
}

template <typename Condition>
bool WaitFor(Condition condition)
{
    for (int waited = 0; waited < 100; ++waited) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageA(&message);
        }
        if (condition()) {
            return true;
        }
        ::Sleep(50);
    }
    return false;
}

TEST(TrayIcon, AddedAndRemovedForItsWindow)
{
    if (::FindWindowA("Shell_TrayWnd", nullptr) == nullptr) {
        GTEST_SKIP() << "no taskbar on this desktop";
    }
    const int empty = ColoursAtFirstIcon();
    const WindowHandle owner = test::MakeTestWindow();
    const HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);

    AddTrayIcon(owner.get(), icon);
    EXPECT_TRUE(WaitFor([&] { return ColoursAtFirstIcon() > empty + 2; })) << "the icon did not appear";

    RemoveTrayIcon(owner.get());
    EXPECT_TRUE(WaitFor([&] { return ColoursAtFirstIcon() <= empty; })) << "the icon stayed";
    EXPECT_TRUE(::IsWindow(owner.get()));

    // The same record serves again, as when the shell has restarted.
    AddTrayIcon(owner.get(), icon);
    EXPECT_TRUE(WaitFor([&] { return ColoursAtFirstIcon() > empty + 2; })) << "the icon did not come back";
    RemoveTrayIcon(owner.get());
    EXPECT_TRUE(WaitFor([&] { return ColoursAtFirstIcon() <= empty; }));
}

}  // namespace
}  // namespace veloria
