// AlphaBlend_hwnd: the only two operations that change how translucent a
// window is. They act on any window of the desktop, the program's own or
// another process's, and report nothing: a vanished handle or a window that
// refuses the layered style is simply left as it is.
#pragma once

#include <windows.h>

namespace veloria {

// Makes the window layered with one alpha for the whole window. The level is
// clamped to 0..255 before it is narrowed to a byte. The desktop window
// ("Program Manager") is never touched.
void SetWindowAlpha(HWND window, int level) noexcept;

// Takes the layered style away, so the window is drawn normally again.
void ClearWindowAlpha(HWND window) noexcept;

// The level of a 1..max transparency slider at `position`; at max the
// window drops the layered style altogether.
void SetWindowAlphaFromSlider(HWND window, int position, int max) noexcept;

// Closing a window that fades: opaque first, then blended out, then
// destroyed.
void CloseFading(HWND window) noexcept;

}  // namespace veloria
