#include "transparency/key_actions.h"

#include <atomic>
#include <cstdint>

#include "base/alpha_rules.h"
#include "base/handle.h"
#include "settings/hot_keys.h"
#include "transparency/alpha_blend.h"
#include "transparency/transparency_state.h"

namespace veloria {

namespace {

WheelWatch& Wheel()
{
    return TransparencyState::Current().wheelWatch;
}

// How often the hook's thread looks whether the hook is still there, while
// the desktop has input; a quiet desktop wakes it never.
constexpr UINT kHookCheckMs = 4000;
// An event that waited this long for the hook may have cost Veloria the
// hook: Windows takes away, without a word, a hook that keeps input waiting.
constexpr std::int32_t kLateEventMs = 200;
constexpr UINT kRenewHookMessage = WM_APP + 1;

bool Held(int key)
{
    return (::GetAsyncKeyState(key) & 0x8000) != 0;
}

unsigned HeldModifiers()
{
    return (Held(VK_CONTROL) ? kModControl : 0) | (Held(VK_MENU) ? kModAlt : 0) | (Held(VK_SHIFT) ? kModShift : 0) |
           (Held(VK_LWIN) || Held(VK_RWIN) ? kModWin : 0);
}

// The Magnifier zooms with Ctrl+Alt and the wheel while it runs; its
// window of that class stands for the running Magnifier.
bool MagnifierZooms(unsigned held)
{
    return (held & (kModControl | kModAlt)) == (kModControl | kModAlt) &&
           ::FindWindowW(L"MagUIClass", nullptr) != nullptr;
}

LASTINPUTINFO LastInput()
{
    LASTINPUTINFO last{};
    last.cbSize = sizeof(last);
    ::GetLastInputInfo(&last);
    return last;
}

LRESULT CALLBACK OnMouseEvent(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == HC_ACTION) {
        WheelWatch& watch = Wheel();
        const auto& event = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (watch.checkTimer == 0) {
            watch.inputAtCheck = LastInput().dwTime;
            watch.checkTimer = ::SetTimer(nullptr, 0, kHookCheckMs, nullptr);
        }
        // A late event is left unheard, so that the next look sets the hook again.
        if (static_cast<std::int32_t>(::GetTickCount() - event.time) < kLateEventMs) {  // ticks wrap
            watch.heardAt = event.time;
            watch.heardX = event.pt.x;
            watch.heardY = event.pt.y;
        }
        if (wParam == WM_MOUSEWHEEL) {
            const unsigned held = HeldModifiers();
            if (held == watch.modifiers && !MagnifierZooms(held)) {
                const auto turn = static_cast<short>(HIWORD(event.mouseData));
                ::PostMessageW(watch.notify, watch.message, turn > 0 ? 1 : 0, MAKELPARAM(event.pt.x, event.pt.y));
                return 1;  // Veloria's turn: the window under the pointer neither scrolls nor zooms
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The hook missed input that moved the pointer: the system saw input after
// the last event the hook heard of, and the pointer is not where that
// event left it. Keys alone move no pointer, so typing never counts.
bool HookLost(const LASTINPUTINFO& last)
{
    const WheelWatch& watch = Wheel();
    POINT cursor{};
    if (!::GetCursorPos(&cursor)) {
        return false;
    }
    const auto newer = static_cast<std::int32_t>(last.dwTime - watch.heardAt.load());  // ticks wrap
    return newer > 0 && (cursor.x != watch.heardX || cursor.y != watch.heardY);
}

void SetHook()
{
    WheelWatch& watch = Wheel();
    if (const HHOOK old = watch.hook.exchange(nullptr)) {
        ::UnhookWindowsHookEx(old);
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    watch.heardX = cursor.x;
    watch.heardY = cursor.y;
    watch.heardAt = ::GetTickCount();
    watch.hook = ::SetWindowsHookExW(WH_MOUSE_LL, &OnMouseEvent, ::GetModuleHandleW(nullptr), 0);
}

// The look: a hook the system refused or took away is set again. Once no
// input came since the last look, the looks stop until the hook hears the
// next event; input it never heard (keys alone, or an event that may have
// cost the hook) gets it set once more first, for that next event.
void CheckHook()
{
    WheelWatch& watch = Wheel();
    const LASTINPUTINFO last = LastInput();
    if (watch.hook == nullptr || HookLost(last)) {
        SetHook();
    } else if (last.dwTime == watch.inputAtCheck) {
        if (static_cast<std::int32_t>(last.dwTime - watch.heardAt.load()) > 0) {
            SetHook();
        }
        if (watch.hook != nullptr) {
            ::KillTimer(nullptr, watch.checkTimer);
            watch.checkTimer = 0;
        }
    }
    watch.inputAtCheck = last.dwTime;
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

void ToggleOnTop(HWND window) noexcept
{
    SetOnTop(window, !IsOnTop(window));
}

namespace {

DWORD WINAPI RunWheelHook(void* ready) noexcept
{
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue that WM_QUIT comes to
    SetHook();
    WheelWatch& watch = Wheel();
    watch.inputAtCheck = LastInput().dwTime;
    watch.checkTimer = ::SetTimer(nullptr, 0, kHookCheckMs, nullptr);
    ::SetEvent(ready);
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == kRenewHookMessage) {
            SetHook();
        } else if (message.message == WM_TIMER && message.wParam == watch.checkTimer) {
            CheckHook();
        }
    }
    if (watch.checkTimer != 0) {
        ::KillTimer(nullptr, watch.checkTimer);
        watch.checkTimer = 0;
    }
    if (const HHOOK hook = Wheel().hook.exchange(nullptr)) {
        ::UnhookWindowsHookEx(hook);
    }
    return 0;
}

}  // namespace

void WatchWheel(HWND notify, UINT message, bool on, unsigned modifiers) noexcept
{
    WheelWatch& watch = Wheel();
    watch.notify = notify;
    watch.message = message;
    watch.modifiers = modifiers;
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

void RenewWheelHook() noexcept
{
    if (Wheel().thread) {
        ::PostThreadMessageW(Wheel().threadId, kRenewHookMessage, 0, 0);
    }
}

HHOOK WheelHookInUse() noexcept
{
    return Wheel().hook;
}

}  // namespace veloria
