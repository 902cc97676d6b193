// A pick: the end of a drag from the pointer window or the tray icon. The
// window under the cursor is climbed to its outermost parent or owner
// (never the desktop, a taskbar, which has a feature of its own, or the
// tray's overflow window) and acted on by the modifier bits: none gives it
// DefaultAlpha, Shift makes it opaque, Ctrl makes it the target of the
// level popup, any other mix does nothing.
#pragma once

#include <windows.h>

#include <cstdint>

#include "transparency/slider_control.h"

namespace veloria {

// The window a pick, a key or the wheel acts on for `window`: its
// outermost parent or owner; nothing for the desktop, a taskbar or the
// tray's overflow window.
HWND PickableWindow(HWND window);

// Picks the outermost window under the cursor and acts on it by the
// modifier bits (Shift 1, Ctrl 2, Alt 4); a Ctrl pick opens `levelPopup`.
void PickWindowAtCursor(HINSTANCE instance, std::int16_t tecla, LevelPopup& levelPopup);

// The pick of a key: `window` (the one in front) becomes the target of
// `levelPopup`, which opens as for a Ctrl pick.
void PickWindowForPopup(HINSTANCE instance, HWND window, LevelPopup& levelPopup);

// The window the user had in front before `own`, a window of the
// program's, came over it: the first one below it that is shown (not
// minimised, not hidden by the window manager) and not the program's own,
// taken as a pick takes it; null when there is none.
HWND WindowBehind(HWND own);

// The window the level popup acts on: the last one picked with Ctrl.
HWND TargetWindow();

}  // namespace veloria
