#include "transparency/alpha_blend.h"

#include "base/alpha_rules.h"
#include "skin/window_effects.h"

namespace veloria {

void SetWindowAlpha(HWND window, int level) noexcept
{
    const HWND desktop = ::FindWindowW(nullptr, L"Program Manager");
    const LONG layered = ::GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED;
    if (window == desktop) {
        return;
    }
    // The style is written every time, even on a window that is layered
    // already, so a window that lost the style behind our back gets it back.
    ::SetWindowLongW(window, GWL_EXSTYLE, layered);
    ::SetLayeredWindowAttributes(window, 0, LevelToByte(level), LWA_ALPHA);
}

void ClearWindowAlpha(HWND window) noexcept
{
    const LONG style = ::GetWindowLongW(window, GWL_EXSTYLE);
    ::SetWindowLongW(window, GWL_EXSTYLE, style & ~static_cast<LONG>(WS_EX_LAYERED));
}

void SetWindowAlphaFromSlider(HWND window, int position, int max) noexcept
{
    SetWindowAlpha(window, LevelFromPosition(position, max));
    if (position == max) {
        ClearWindowAlpha(window);
    }
}

void CloseFading(HWND window) noexcept
{
    HWND fading = window;
    ClearWindowAlpha(fading);
    DesvancerVentana(fading);
    ::DestroyWindow(window);
}

}  // namespace veloria
