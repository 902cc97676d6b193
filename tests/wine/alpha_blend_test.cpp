// SetWindowAlpha and ClearWindowAlpha on real windows, the program's own and
// another process's.
#include "transparency/alpha_blend.h"

#include <gtest/gtest.h>

#include "test_windows.h"

namespace veloria {
namespace {

using test::ExStyle;
using test::LayeredAlpha;

TEST(SetWindowAlpha, FullLevelLeavesTheWindowLayered)
{
    const WindowHandle window = test::MakeTestWindow();
    SetWindowAlpha(window.get(), 255);
    EXPECT_NE(ExStyle(window.get()) & WS_EX_LAYERED, 0);
    EXPECT_EQ(LayeredAlpha(window.get()), 255);
}

TEST(SetWindowAlpha, LevelZeroKeepsTheWindowOnTheDesktop)
{
    const WindowHandle window = test::MakeTestWindow();
    SetWindowAlpha(window.get(), 0);
    EXPECT_EQ(LayeredAlpha(window.get()), 0);
    EXPECT_TRUE(::IsWindowVisible(window.get()));
    EXPECT_TRUE(::IsWindow(window.get()));
}

TEST(SetWindowAlpha, ASecondCallReplacesTheFirstLevel)
{
    const WindowHandle window = test::MakeTestWindow();
    SetWindowAlpha(window.get(), 100);
    SetWindowAlpha(window.get(), 180);
    EXPECT_EQ(LayeredAlpha(window.get()), 180);
}

TEST(SetWindowAlpha, LevelsOutsideTheRangeAreClamped)
{
    const WindowHandle window = test::MakeTestWindow();
    SetWindowAlpha(window.get(), 300);
    EXPECT_EQ(LayeredAlpha(window.get()), 255);
    SetWindowAlpha(window.get(), 256);
    EXPECT_EQ(LayeredAlpha(window.get()), 255);
    SetWindowAlpha(window.get(), -5);
    EXPECT_EQ(LayeredAlpha(window.get()), 0);
}

TEST(SetWindowAlpha, RefusesTheProgramManagerWindow)
{
    // The desktop's "Program Manager" window if the shell has one, else one
    // of ours by that name.
    WindowHandle ours;
    if (::FindWindowA(nullptr, "Program Manager") == nullptr) {
        ours = test::MakeTestWindow("Program Manager");
    }
    const HWND desktop = ::FindWindowA(nullptr, "Program Manager");
    ASSERT_NE(desktop, nullptr);
    const LONG before = ExStyle(desktop);
    SetWindowAlpha(desktop, 100);
    EXPECT_EQ(ExStyle(desktop), before);
    EXPECT_EQ(ExStyle(desktop) & WS_EX_LAYERED, 0);
}

TEST(ClearWindowAlpha, MakesALayeredWindowOpaque)
{
    const WindowHandle window = test::MakeTestWindow();
    SetWindowAlpha(window.get(), 120);
    ClearWindowAlpha(window.get());
    EXPECT_EQ(ExStyle(window.get()) & WS_EX_LAYERED, 0);
    EXPECT_EQ(LayeredAlpha(window.get()), -1);
}

TEST(ClearWindowAlpha, LeavesANeverLayeredWindowAsItWas)
{
    const WindowHandle window = test::MakeTestWindow();
    const LONG before = ExStyle(window.get());
    ClearWindowAlpha(window.get());
    EXPECT_EQ(ExStyle(window.get()), before);
}

TEST(WindowAlpha, WorksOnAnotherProcesssWindow)
{
    const test::ForeignWindow window("Veloria foreign window");
    ASSERT_TRUE(::IsWindow(window.hwnd()));
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window.hwnd(), &owner);
    ASSERT_EQ(owner, window.processId());
    ASSERT_NE(owner, ::GetCurrentProcessId());

    SetWindowAlpha(window.hwnd(), 222);
    EXPECT_EQ(LayeredAlpha(window.hwnd()), 222);
    SetWindowAlpha(window.hwnd(), 40);
    EXPECT_EQ(LayeredAlpha(window.hwnd()), 40);
    ClearWindowAlpha(window.hwnd());
    EXPECT_EQ(ExStyle(window.hwnd()) & WS_EX_LAYERED, 0);
}

TEST(WindowAlpha, AVanishedWindowIsPassedOverSilently)
{
    HWND stale = nullptr;
    {
        const WindowHandle window = test::MakeTestWindow();
        stale = window.get();
    }
    ASSERT_FALSE(::IsWindow(stale));
    SetWindowAlpha(stale, 100);
    ClearWindowAlpha(stale);
    SetWindowAlpha(nullptr, 100);
    ClearWindowAlpha(nullptr);
    SUCCEED();
}

}  // namespace
}  // namespace veloria
