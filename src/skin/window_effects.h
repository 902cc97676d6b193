// Effects the program's own windows share: the fade as a window closes,
// moving a window by its body, switching the close command of a window's
// system menu off and on, and the look a high-contrast theme asks for.
#pragma once

#include <windows.h>

#include <string>

namespace veloria {

// Whether a high-contrast theme is on. The program's own windows then draw
// in the system's colours, whole (not cut to their pictures), opaque and
// without the skin's pictures; they look again at WM_SETTINGCHANGE and
// WM_SYSCOLORCHANGE (scaled_window.h).
bool HighContrastOn();

// The plain look: chosen in the options, or asked for by a high-contrast
// theme.
bool PlainLook();

inline constexpr DWORD kFadeMs = 850;
inline constexpr DWORD kFadeFlags = AW_HIDE | AW_BLEND | AW_HOR_NEGATIVE;  // 0x90002

// DesvancerVentana: blends `window` out and hides it; returns when the
// fade has ended, with `window` cleared. A layered window must lose its
// layered style first: the fade brings its own. Where the user has turned
// off Windows' animations the window is hidden at once.
void DesvancerVentana(HWND& window);

// MoverVentana: lets the user move `window` by dragging its body, as if the
// press had been on its caption.
void MoverVentana(HWND window);

// The caption of the close item of `window`'s system menu, at most 50
// characters; empty when there is none.
std::wstring CloseItemText(HWND window);

// Switch the close command of `window`'s system menu off (greyed, under a
// stand-in id, so the caption's close box and Alt+F4 do nothing) and back
// on. `text` is the item's caption as CloseItemText read it. Each undoes
// the other; neither does anything twice in a row.
void DisableCloseItem(HWND window, const std::wstring& text);
void EnableCloseItem(HWND window, const std::wstring& text);

}  // namespace veloria
