// The wheel's hook under real input (SendInput): a turn with the wheel's
// keys comes to the program and goes no further, the Magnifier keeps its
// zoom, and a hook the system took away is set again.
#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <vector>

#include "settings/hot_keys.h"
#include "test_windows.h"
#include "transparency/key_actions.h"

namespace veloria {
namespace {

constexpr UINT kTurn = WM_APP + 7;

void Send(std::vector<INPUT> inputs)
{
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// One turn down with `held` pressed around it.
void Turn(std::initializer_list<WORD> held)
{
    std::vector<INPUT> inputs;
    for (const bool up : {false, true}) {
        if (up) {
            INPUT wheel{};
            wheel.type = INPUT_MOUSE;
            wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
            wheel.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
            inputs.push_back(wheel);
        }
        for (const WORD key : held) {
            INPUT press{};
            press.type = INPUT_KEYBOARD;
            press.ki.wVk = key;
            press.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(press);
        }
    }
    Send(inputs);
}

bool TurnCame(HWND window, DWORD within)
{
    const DWORD start = ::GetTickCount();
    MSG message;
    do {
        if (::PeekMessageW(&message, window, kTurn, kTurn, PM_REMOVE)) {
            return message.wParam == 0;
        }
        ::Sleep(20);
    } while (::GetTickCount() - start < within);
    return false;
}

TEST(WheelHook, TakesItsTurnsLeavesTheMagnifiersZoomAndIsSetAgainWhenTakenAway)
{
    const WindowHandle window = test::MakeTestWindow();
    WatchWheel(window.get(), kTurn, true, kModControl | kModAlt | kModShift);
    Turn({VK_CONTROL, VK_MENU, VK_SHIFT});
    EXPECT_TRUE(TurnCame(window.get(), 2000));
    Turn({VK_CONTROL, VK_MENU});
    EXPECT_FALSE(TurnCame(window.get(), 300)) << "not the wheel's keys";

    WatchWheel(window.get(), kTurn, true, kModControl | kModAlt);
    {
        WNDCLASSW magnifier{};
        magnifier.lpfnWndProc = &::DefWindowProcW;
        magnifier.lpszClassName = L"MagUIClass";
        ::RegisterClassW(&magnifier);
        const WindowHandle running(
            ::CreateWindowW(L"MagUIClass", L"Magnifier", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
        Turn({VK_CONTROL, VK_MENU});
        EXPECT_FALSE(TurnCame(window.get(), 300)) << "the Magnifier's zoom";
    }
    Turn({VK_CONTROL, VK_MENU});
    EXPECT_TRUE(TurnCame(window.get(), 2000));

    // As Windows does with a hook it finds too slow; then the pointer moves.
    ASSERT_TRUE(::UnhookWindowsHookEx(WheelHookInUse()));
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    move.mi.dx = move.mi.dy = 5;
    Send({move});
    bool back = false;
    for (DWORD start = ::GetTickCount(); !back && ::GetTickCount() - start < 7000;) {
        Turn({VK_CONTROL, VK_MENU});
        back = TurnCame(window.get(), 250);
    }
    EXPECT_TRUE(back) << "the hook set again";
    WatchWheel(window.get(), kTurn, false, 0);
    EXPECT_EQ(WheelHookInUse(), nullptr);
}

}  // namespace
}  // namespace veloria
