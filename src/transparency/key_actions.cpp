#include "transparency/key_actions.h"

#include "base/alpha_rules.h"
#include "transparency/alpha_blend.h"

namespace veloria {

namespace {

struct WheelWatch {
    HHOOK hook = nullptr;
    HWND notify = nullptr;
    UINT message = 0;
};

WheelWatch& Wheel()
{
    static WheelWatch watch;
    return watch;
}

bool Held(int key)
{
    return (::GetAsyncKeyState(key) & 0x8000) != 0;
}

LRESULT CALLBACK OnMouseEvent(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == HC_ACTION && wParam == WM_MOUSEWHEEL && Held(VK_CONTROL) && Held(VK_MENU)) {
        const auto& event = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        const auto turn = static_cast<short>(HIWORD(event.mouseData));
        ::PostMessageW(Wheel().notify, Wheel().message, turn > 0 ? 1 : 0, MAKELPARAM(event.pt.x, event.pt.y));
        return 1;  // Veloria's turn: the window under the pointer neither scrolls nor zooms
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void StepWindowLevel(HWND window, int direction) noexcept
{
    if (window == nullptr) {
        return;
    }
    const int level = StepLevel(WindowLevel(window), direction);
    if (level >= kHighestLevel) {
        ClearWindowAlpha(window);
    } else {
        SetWindowAlpha(window, level);
    }
}

ClickThroughToggle ToggleClickThrough(HWND window) noexcept
{
    if (window == nullptr) {
        return ClickThroughToggle::Refused;
    }
    const bool on = !IsClickThrough(window);
    if (on && WindowLevel(window) >= kHighestLevel) {
        return ClickThroughToggle::NotTranslucent;
    }
    if (SetClickThrough(window, on) != AlphaChange::Done) {
        return ClickThroughToggle::Refused;
    }
    return on ? ClickThroughToggle::Started : ClickThroughToggle::Ended;
}

void WatchWheel(HWND notify, UINT message, bool on) noexcept
{
    WheelWatch& watch = Wheel();
    watch.notify = notify;
    watch.message = message;
    if (on && watch.hook == nullptr) {
        watch.hook = ::SetWindowsHookExW(WH_MOUSE_LL, &OnMouseEvent, ::GetModuleHandleW(nullptr), 0);
    } else if (!on && watch.hook != nullptr) {
        ::UnhookWindowsHookEx(watch.hook);
        watch.hook = nullptr;
    }
}

}  // namespace veloria
