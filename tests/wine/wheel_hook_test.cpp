// The wheel's hook under real input (the input functions): a turn with exactly the
// wheel's keys comes to the program, the Magnifier keeps its zoom, and a
// hook the system took away is set again.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "settings/hot_keys.h"
#include "test_windows.h"
#include "transparency/key_actions.h"

namespace veloria {
namespace {

constexpr UINT kTurn = WM_APP + 7;

// A turn down with Ctrl, Alt (and Shift) held; whether it came within `ms`.
bool TurnCame(HWND window, bool shift, DWORD ms)
{
    const std::vector<BYTE> held = shift ? std::vector<BYTE>{VK_CONTROL, VK_MENU, VK_SHIFT}
                                         : std::vector<BYTE>{VK_CONTROL, VK_MENU};
    for (const BYTE key : held) {
        ::keybd_event(key, 0, 0, 0);
    }
    ::mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-WHEEL_DELTA), 0);
    for (const BYTE key : held) {
        ::keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    }
    MSG message;
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < ms; ::Sleep(20)) {
        if (::PeekMessageW(&message, window, kTurn, kTurn, PM_REMOVE)) {
            return message.wParam == 0;
        }
    }
    return false;
}

TEST(WheelHook, TakesItsTurnsLeavesTheMagnifiersZoomAndIsSetAgainWhenTakenAway)
{
    const WindowHandle window = test::MakeTestWindow();
    WatchWheel(window.get(), kTurn, true, kModControl | kModAlt | kModShift);
    EXPECT_TRUE(TurnCame(window.get(), true, 2000));
    EXPECT_FALSE(TurnCame(window.get(), false, 300)) << "not the wheel's keys";

    WatchWheel(window.get(), kTurn, true, kModControl | kModAlt);
    EXPECT_FALSE(TurnCame(window.get(), true, 300)) << "more than the wheel's keys";
    WNDCLASSW magnifier{};
    magnifier.lpfnWndProc = &::DefWindowProcW;
    magnifier.lpszClassName = L"MagUIClass";
    ::RegisterClassW(&magnifier);
    WindowHandle running(::CreateWindowW(L"MagUIClass", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(TurnCame(window.get(), false, 300)) << "the Magnifier's zoom";
    running.reset();
    EXPECT_TRUE(TurnCame(window.get(), false, 2000));

    // Taken away, as Windows does with a hook it finds slow; the pointer moves.
    ASSERT_TRUE(::UnhookWindowsHookEx(WheelHookInUse()));
    ::mouse_event(MOUSEEVENTF_MOVE, 5, 5, 0, 0);
    bool back = false;
    for (const DWORD start = ::GetTickCount(); !back && ::GetTickCount() - start < 7000;) {
        back = TurnCame(window.get(), false, 250);
    }
    EXPECT_TRUE(back) << "the hook set again";
    WatchWheel(window.get(), kTurn, false, 0);
    EXPECT_EQ(WheelHookInUse(), nullptr);
}

}  // namespace
}  // namespace veloria
