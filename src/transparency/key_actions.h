// What the keys and the wheel do to one window: a step on the level
// popup's scale, opaque at once, click-through or on-top on and off, each
// under the rules every pick obeys (alpha_blend.h).
//
// The wheel is heard through a low-level mouse hook, set only while the
// wheel is switched on, on a thread that does nothing else. Its procedure
// answers every event at once: a turn with exactly the wheel's modifier
// keys held is posted to the program's window and kept from the window
// under the pointer; everything else passes on untouched, and so does any
// turn with Ctrl and Alt held while the Magnifier runs (its zoom).
//
// Windows takes a low-level hook away, without a word, once its procedure
// is slower than the system allows (after sleep, on a loaded machine). The
// hook's thread looks every few seconds whether the mouse moved without
// the hook hearing of it, and sets the hook again; it does so too when
// told the system woke up or the session was unlocked, and keeps trying
// where the system refused the hook.
#pragma once

#include <windows.h>

namespace veloria {

// One step more see-through (`direction` < 0) or more solid; a step up from
// the scale's last level below 255 makes the window opaque, as Shift does.
void StepWindowLevel(HWND window, int direction) noexcept;

enum class ClickThroughToggle { Started, Ended, NotTranslucent, Refused };
// Only a window below 255 is made click-through.
ClickThroughToggle ToggleClickThrough(HWND window) noexcept;

// On top of other windows, or no more, whatever its level.
void ToggleOnTop(HWND window) noexcept;

// Sets the hook (on) or takes it away. A turn with `modifiers` (kMod...
// summed) held comes to `notify` as `message`, wParam 1 up or 0 down,
// lParam the pointer's screen position.
void WatchWheel(HWND notify, UINT message, bool on, unsigned modifiers) noexcept;

// Sets the hook afresh, where it is on.
void RenewWheelHook() noexcept;

// The hook set now, or null: for a look from outside (the module tests
// take it away as Windows would).
HHOOK WheelHookInUse() noexcept;

}  // namespace veloria
