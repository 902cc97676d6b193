// AlphaBlend_hwnd: the only two operations that change how translucent a
// window is. They act on any window of the desktop, the program's own or
// another process's.
//
// The program's own windows take a level and lose it plainly. Another
// program's window is changed with care, so that it is never left worse off
// than its user can see and undo: before the first change, what its
// program had set (layered or not, colour key, alpha, click-through) is
// noted on the window itself (pick_rules.h), with the level Veloria gave;
// a colour key its program set stays; making it opaque gives it back
// exactly what its program had set, the layered style removed only where
// Veloria added it. Programs change their own windows too (a fade-in, a
// window that starts drawing itself): a window that no longer shows
// Veloria's level is its program's again, and is noted afresh before the
// next change. A window that draws its own transparency (per-pixel alpha)
// is left untouched, whatever its note says. When
// Windows refuses a change (a program running as administrator, a window
// that will not be layered) nothing else is changed, and the refusal is
// told, once per window, to whoever asked to be told.
#pragma once

#include <windows.h>

#include <string>

namespace veloria {

enum class AlphaChange {
    Done,          // made, or nothing to make (a vanished window, the desktop)
    SelfDrawn,     // left alone: the window draws its own transparency
    AccessDenied,  // Windows keeps the program from changing it
    NotResponding, // its program is hung: a change would wait on it
    Refused,       // another failure: the window refused the change
};

// Whether a refusal is told (a change the user asked for) or kept quiet (a
// change the program makes on its own).
enum class Refusal { Tell, KeepQuiet };

// Makes the window layered with one alpha for the whole window (its own
// colour key kept). The level is clamped to 0..255 before it is narrowed to
// a byte. The desktop window ("Program Manager") is never touched.
AlphaChange SetWindowAlpha(HWND window, int level, Refusal refusal = Refusal::Tell) noexcept;

// Makes the window opaque: the layered style goes from the program's own
// windows and from those Veloria made layered; another program's window
// gets back what its program had set.
AlphaChange ClearWindowAlpha(HWND window) noexcept;

// The program's own `window` at its own `level`; unlayered while a
// high-contrast theme is on.
void SetOwnWindowLevel(HWND window, int level) noexcept;

// The window's class name (the first 63 characters).
std::wstring ClassNameOf(HWND window);

// The window's level now: its alpha where it is layered with one, else 255.
int WindowLevel(HWND window) noexcept;

// Clicks through the window to what lies under it (WS_EX_TRANSPARENT), or
// no more; what its own program had set is noted first, so that making it
// opaque in any way ends the click-through Veloria added.
AlphaChange SetClickThrough(HWND window, bool on) noexcept;
bool IsClickThrough(HWND window) noexcept;

// Keeps the window above every window not on top (HWND_TOPMOST), without
// activating it, or no more. A level is not needed: an opaque window may be
// kept on top. Where its own program keeps it on top it stays so: only the
// on-top Veloria gave is taken back, by this and by making the window
// opaque in any way. The program's own windows are left in their places.
AlphaChange SetOnTop(HWND window, bool on) noexcept;
bool IsOnTop(HWND window) noexcept;

// Ends the click-through and the on-top Veloria gave other programs'
// windows, their levels kept: at the program's end, and at its start after
// a run that ended without its shut-down, nothing is left that the user
// could no longer click, nor above everything with no Veloria to take it
// down.
void EndEveryClickThroughAndOnTop() noexcept;

// Makes opaque every other program's top-level window that Veloria has
// changed (those carrying its note), as a Shift pick would one by one.
void ClearEveryChangedWindow() noexcept;

// The level of a 1..max transparency slider at `position`; at max the
// window is made opaque.
AlphaChange SetWindowAlphaFromSlider(HWND window, int position, int max) noexcept;

// Closing a window that fades: opaque first, then blended out, then
// destroyed.
void CloseFading(HWND window) noexcept;

// Who is told of a refusal; told once for each window refused.
class RefusalListener {
public:
    virtual void Refused(HWND window, AlphaChange why) = 0;

protected:
    ~RefusalListener() = default;
};
// Null: nobody is told any more.
void TellRefusalsTo(RefusalListener* listener) noexcept;

}  // namespace veloria
