// Closing a window that fades: its layered style goes first, then the fade
// hides it, then it is destroyed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "shell/main_window.h"

namespace veloria {
namespace {

std::vector<std::wstring> g_steps;
WNDPROC g_procedure = nullptr;

LRESULT CALLBACK Watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_STYLECHANGED && wParam == static_cast<WPARAM>(GWL_EXSTYLE)) {
        const auto* change = reinterpret_cast<const STYLESTRUCT*>(lParam);
        if ((change->styleOld & WS_EX_LAYERED) != 0 && (change->styleNew & WS_EX_LAYERED) == 0) {
            g_steps.push_back(L"opaque");
        }
    } else if (message == WM_SHOWWINDOW && wParam == FALSE) {
        g_steps.push_back(L"hidden");
    } else if (message == WM_DESTROY) {
        g_steps.push_back(L"destroyed");
    }
    return ::CallWindowProcW(g_procedure, window, message, wParam, lParam);
}

TEST(ClosingWindows, LoseTheLayeredStyleThenFadeOutThenGo)
{
    OtherWindows windows;
    windows.pointer.Show(::GetModuleHandleW(nullptr));
    windows.banner.Show(::GetModuleHandleW(nullptr));
    for (const wchar_t* windowClass : {kMainControlClass, kBannerClass}) {
        const HWND window = ::FindWindowW(windowClass, nullptr);
        ASSERT_NE(window, nullptr) << windowClass;
        EXPECT_NE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0) << windowClass;
        g_steps.clear();
        g_procedure = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Watch)));
        ::SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(g_steps, (std::vector<std::wstring>{L"opaque", L"hidden", L"destroyed"})) << windowClass;
        EXPECT_FALSE(::IsWindow(window));
    }
}

}  // namespace
}  // namespace veloria
