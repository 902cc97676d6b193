// SetWindowAlpha and ClearWindowAlpha on real windows.
#include "transparency/alpha_blend.h"

#include <gtest/gtest.h>

#include "test_windows.h"

namespace veloria {
namespace {

using test::ExStyle;
using test::LayeredAlpha;

TEST(WindowAlpha, LevelsAreAppliedClampedAndTheLastOneWins)
{
    const WindowHandle window = test::MakeTestWindow();
    const std::pair<int, int> cases[] = {{255, 255}, {100, 100}, {180, 180}, {300, 255}, {256, 255}, {-5, 0}, {0, 0}};
    for (const auto& [level, applied] : cases) {
        SetWindowAlpha(window.get(), level);
        EXPECT_EQ(LayeredAlpha(window.get()), applied) << level;
    }
    // Level 0 leaves the window on the desktop, invisible but there.
    EXPECT_TRUE(::IsWindowVisible(window.get()));
}

TEST(WindowAlpha, TheProgramManagerWindowIsRefused)
{
    // The shell's desktop window if there is one, else one of ours by name.
    WindowHandle ours;
    if (::FindWindowW(nullptr, L"Program Manager") == nullptr) {
        ours = test::MakeTestWindow(L"Program Manager");
    }
    const HWND desktop = ::FindWindowW(nullptr, L"Program Manager");
    const LONG before = ExStyle(desktop);
    SetWindowAlpha(desktop, 100);
    EXPECT_EQ(ExStyle(desktop), before);
    EXPECT_EQ(before & WS_EX_LAYERED, 0);
}

}  // namespace
}  // namespace veloria
