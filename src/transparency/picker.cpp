#include "transparency/picker.h"

#include "base/system_calls.h"
#include "settings/settings_record.h"
#include "transparency/alpha_blend.h"
#include "transparency/pick_rules.h"
#include "transparency/slider_control.h"
#include "transparency/transparency_state.h"

namespace veloria {

namespace {

// The outermost window above `window`: parents, and owners of pop-ups,
// up to an owner that is not shown. Many programs own their pop-ups by a
// hidden window (to keep them off the taskbar, or one for all their
// frames); a level given to it would change nothing the user sees.
HWND OutermostWindow(HWND window)
{
    // Bounded: a chain that changes under our feet cannot keep us here.
    for (int depth = 0; window != nullptr && depth < 256; ++depth) {
        const HWND parent = ::GetParent(window);
        if (parent == nullptr || !::IsWindowVisible(parent)) {
            break;
        }
        window = parent;
    }
    return window;
}

bool Cloaked(HWND window)
{
    DWORD cloaked = 0;
    return WindowManager().WindowAttribute != nullptr &&
           SUCCEEDED(WindowManager().WindowAttribute(window, WindowManagerCalls::kCloaked, &cloaked,
                                                     sizeof(cloaked))) &&
           cloaked != 0;
}

}  // namespace

HWND PickableWindow(HWND window)
{
    window = OutermostWindow(window);
    // The desktop, the taskbars and the tray's overflow are never picked.
    return window != nullptr && !IsRefusedClass(ClassNameOf(window)) ? window : nullptr;
}

void PickWindowAtCursor(HINSTANCE instance, std::int16_t tecla, LevelPopup& levelPopup)
{
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const HWND window = PickableWindow(::WindowFromPoint(cursor));
    if (window == nullptr) {
        return;
    }
    switch (ActionForModifiers(tecla)) {
    case PickAction::ApplyDefaultLevel:
        SetWindowAlpha(window, DefaultAlphaLevel(Settings()));
        break;
    case PickAction::MakeOpaque:
        ClearWindowAlpha(window);
        break;
    case PickAction::OpenLevelPopup:
        PickWindowForPopup(instance, window, levelPopup);
        break;
    case PickAction::Nothing:
        break;
    }
}

void PickWindowForPopup(HINSTANCE instance, HWND window, LevelPopup& levelPopup)
{
    TransparencyState::Current().target = window;
    levelPopup.Show(instance);
}

HWND WindowBehind(HWND own)
{
    // Bounded: windows that come and go under our feet cannot keep us here.
    HWND window = ::GetWindow(own, GW_HWNDNEXT);
    for (int steps = 0; window != nullptr && steps < 4096; ++steps, window = ::GetWindow(window, GW_HWNDNEXT)) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process != ::GetCurrentProcessId() && ::IsWindowVisible(window) && !::IsIconic(window) &&
            !Cloaked(window)) {
            if (const HWND pick = PickableWindow(window)) {
                return pick;
            }
        }
    }
    return nullptr;
}

HWND TargetWindow()
{
    return TransparencyState::Current().target;
}

}  // namespace veloria
