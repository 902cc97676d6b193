#include "transparency/key_actions.h"

#include "base/alpha_rules.h"
#include "base/handle.h"
#include "transparency/alpha_blend.h"

namespace veloria {

namespace {

// The hook has a thread of its own, which does nothing but wait for mouse
// events: the system's mouse never waits on the program's window thread,
// whatever that thread is doing.
struct WheelWatch {
    KernelHandle thread;
    DWORD threadId = 0;
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

namespace {

DWORD WINAPI RunWheelHook(void* ready) noexcept
{
    const HHOOK hook = ::SetWindowsHookExW(WH_MOUSE_LL, &OnMouseEvent, ::GetModuleHandleW(nullptr), 0);
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue that WM_QUIT comes to
    ::SetEvent(ready);
    while (hook != nullptr && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
    }
    if (hook != nullptr) {
        ::UnhookWindowsHookEx(hook);
    }
    return 0;
}

}  // namespace

void WatchWheel(HWND notify, UINT message, bool on) noexcept
{
    WheelWatch& watch = Wheel();
    watch.notify = notify;
    watch.message = message;
    if (on && !watch.thread) {
        const KernelHandle ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        watch.thread.reset(::CreateThread(nullptr, 0, &RunWheelHook, ready.get(), 0, &watch.threadId));
        if (watch.thread) {
            ::WaitForSingleObject(ready.get(), 1000);  // its queue exists before it can be told to end
        }
    } else if (!on && watch.thread) {
        ::PostThreadMessageW(watch.threadId, WM_QUIT, 0, 0);
        ::WaitForSingleObject(watch.thread.get(), 1000);
        watch.thread.reset();
    }
}

}  // namespace veloria
