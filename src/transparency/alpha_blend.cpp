#include "transparency/alpha_blend.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/alpha_rules.h"
#include "skin/window_effects.h"
#include "transparency/pick_rules.h"

namespace veloria {

namespace {

// The notes' names as atoms. A property named by a string would add a
// reference to its atom each time and leak it with every window that goes
// without the note removed; found or added once, the atom is shared by
// every run of the program, so a note outlives the run that took it.
const wchar_t* NoteName(const wchar_t* name)
{
    ATOM atom = ::GlobalFindAtomW(name);
    if (atom == 0) {
        atom = ::GlobalAddAtomW(name);
    }
    return atom != 0 ? MAKEINTATOM(atom) : name;
}

const wchar_t* NoteState()
{
    static const wchar_t* const name = NoteName(L"Veloria.OriginalState");
    return name;
}

const wchar_t* NoteKey()
{
    static const wchar_t* const name = NoteName(L"Veloria.OriginalKey");
    return name;
}

RefusalTeller g_teller = nullptr;

bool IsOwnWindow(HWND window)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId();
}

LONG ExStyle(HWND window)
{
    return ::GetWindowLongW(window, GWL_EXSTYLE);
}

// Writes the extended style; the reason Windows gives when it will not.
std::optional<AlphaChange> WriteExStyle(HWND window, LONG style)
{
    ::SetLastError(ERROR_SUCCESS);
    if (::SetWindowLongW(window, GWL_EXSTYLE, style) == 0 && ::GetLastError() != ERROR_SUCCESS) {
        return ::GetLastError() == ERROR_ACCESS_DENIED ? AlphaChange::AccessDenied : AlphaChange::Refused;
    }
    // A window may turn the style down as it is set (the system's own
    // touches to other bits do not count).
    constexpr LONG kOurs = WS_EX_LAYERED | WS_EX_TRANSPARENT;
    return (ExStyle(window) & kOurs) == (style & kOurs) ? std::nullopt : std::optional(AlphaChange::Refused);
}

std::optional<WindowNote> ReadNote(HWND window)
{
    return DecodeNote(reinterpret_cast<std::uintptr_t>(::GetPropW(window, NoteState())),
                      reinterpret_cast<std::uintptr_t>(::GetPropW(window, NoteKey())));
}

void DropNote(HWND window)
{
    ::RemovePropW(window, NoteState());
    ::RemovePropW(window, NoteKey());
}

// Writes the note; the reason Windows gives when it will not.
std::optional<AlphaChange> WriteNote(HWND window, const WindowNote& note)
{
    const auto [state, key] = EncodeNote(note);
    ::SetLastError(ERROR_SUCCESS);
    if (!::SetPropW(window, NoteState(), reinterpret_cast<HANDLE>(state)) ||
        !::SetPropW(window, NoteKey(), reinterpret_cast<HANDLE>(key))) {
        const AlphaChange why = ::GetLastError() == ERROR_ACCESS_DENIED ? AlphaChange::AccessDenied : AlphaChange::Refused;
        DropNote(window);
        return why;
    }
    return std::nullopt;
}

// How the window is layered now; nothing when it draws its own
// transparency (layered, and updated with per-pixel alpha, so that it has
// no attributes to read), which Veloria never touches.
std::optional<WindowLayering> LayeringOf(HWND window)
{
    WindowLayering now;
    now.layered = (ExStyle(window) & WS_EX_LAYERED) != 0;
    if (now.layered) {
        COLORREF key = 0;
        BYTE alpha = 255;
        DWORD flags = 0;
        if (!::GetLayeredWindowAttributes(window, &key, &alpha, &flags)) {
            return std::nullopt;
        }
        now.key = key;
        now.alpha = alpha;
        now.flags = flags & (LWA_COLORKEY | LWA_ALPHA);
    }
    return now;
}

// The window's note as it stands before a change: the one it carries while
// the window still shows what Veloria left it with, else taken afresh from
// what its program has set now (and written, so that a change half made
// can still be undone). Nothing, with the reason, where the window cannot
// be changed or draws its own transparency.
std::optional<WindowNote> TakeNote(HWND window, AlphaChange& why)
{
    const std::optional<WindowLayering> now = LayeringOf(window);
    if (!now) {
        why = AlphaChange::SelfDrawn;
        return std::nullopt;
    }
    const std::optional<WindowNote> noted = ReadNote(window);
    if (noted && NoteStillHolds(*noted, *now)) {
        return noted;
    }
    const WindowNote note = RenewedNote(noted.value_or(WindowNote{}), *now, IsClickThrough(window));
    if (const auto refused = WriteNote(window, note)) {
        why = *refused;
        return std::nullopt;
    }
    return note;
}

// Keeps the note while something Veloria gave is on the window; drops it
// once the window is all its program's again.
void KeepNote(HWND window, const WindowNote& note)
{
    if (note.given || note.clickThroughGiven) {
        WriteNote(window, note);
    } else {
        DropNote(window);
    }
}

// Tells the teller of a refusal, once for each window.
AlphaChange Told(HWND window, AlphaChange change)
{
    static std::vector<std::pair<HWND, DWORD>> told;
    if (change == AlphaChange::Done || g_teller == nullptr) {
        return change;
    }
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    const std::pair<HWND, DWORD> who{window, process};
    if (std::find(told.begin(), told.end(), who) == told.end()) {
        if (told.size() >= 256) {
            told.erase(told.begin());  // long gone windows, most likely
        }
        told.push_back(who);
        g_teller(window, change);
    }
    return change;
}

// A style change waits on the window's program, as long as it takes: it is
// asked first, for half a second at most, so that a hung or busy program is
// told, not waited on.
bool Answers(HWND window)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 500, &result) != 0 ||
           !::IsWindow(window);
}

AlphaChange SetForeignAlpha(HWND window, int level)
{
    if (!Answers(window)) {
        return AlphaChange::NotResponding;
    }
    AlphaChange why = AlphaChange::Done;
    const bool noted = ReadNote(window).has_value();
    std::optional<WindowNote> note = TakeNote(window, why);
    if (!note) {
        return why;
    }
    const LONG before = ExStyle(window);
    const auto undo = [&](AlphaChange reason) {
        WriteExStyle(window, before);
        if (!noted) {
            DropNote(window);
        }
        return reason;
    };
    if (const auto refused = WriteExStyle(window, before | WS_EX_LAYERED)) {
        return undo(*refused);
    }
    // Its program's colour key stays; the level is Veloria's.
    const DWORD flags = LWA_ALPHA | (note->flags & LWA_COLORKEY);
    const BYTE alpha = LevelToByte(level);
    ::SetLastError(ERROR_SUCCESS);
    if (!::SetLayeredWindowAttributes(window, note->key, alpha, flags)) {
        return undo(::GetLastError() == ERROR_ACCESS_DENIED ? AlphaChange::AccessDenied : AlphaChange::Refused);
    }
    note->given = alpha;
    WriteNote(window, *note);
    return AlphaChange::Done;
}

AlphaChange ClearForeignAlpha(HWND window)
{
    if (!ReadNote(window)) {
        return AlphaChange::Done;  // Veloria never changed it: it is as its program left it
    }
    if (!Answers(window)) {
        return AlphaChange::NotResponding;
    }
    // A window that draws its own transparency now has nothing of
    // Veloria's level left; the click-through it gave still goes.
    AlphaChange why = AlphaChange::Done;
    std::optional<WindowNote> note = TakeNote(window, why);
    if (!note && why == AlphaChange::SelfDrawn && (note = ReadNote(window))) {
        note->given.reset();
    }
    if (!note) {
        return why;
    }
    LONG style = ExStyle(window);
    style = note->clickThrough ? style | WS_EX_TRANSPARENT : style & ~static_cast<LONG>(WS_EX_TRANSPARENT);
    // Only a level Veloria gave is taken back: its program's own layering,
    // set before Veloria's level or after it, stays as its program made it.
    if (note->given && note->layered) {
        ::SetLastError(ERROR_SUCCESS);
        if (!::SetLayeredWindowAttributes(window, note->key, note->alpha, note->flags)) {
            return ::GetLastError() == ERROR_ACCESS_DENIED ? AlphaChange::AccessDenied : AlphaChange::Refused;
        }
    } else if (note->given) {
        style &= ~static_cast<LONG>(WS_EX_LAYERED);
    }
    if (style != ExStyle(window)) {
        if (const auto refused = WriteExStyle(window, style)) {
            return *refused;
        }
    }
    DropNote(window);
    return AlphaChange::Done;
}

// The windows a clearing of every change goes to: other programs' windows
// with Veloria's note, the taskbars aside (their menu entry has them).
BOOL CALLBACK CollectChanged(HWND window, LPARAM list) noexcept
{
    if (!IsOwnWindow(window) && ReadNote(window) && !IsRefusedClass(ClassNameOf(window))) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

}  // namespace

AlphaChange SetWindowAlpha(HWND window, int level, Refusal refusal) noexcept
{
    if (window == nullptr || !::IsWindow(window) || window == ::FindWindowW(nullptr, L"Program Manager")) {
        return AlphaChange::Done;  // nothing there, or the desktop, which is never touched
    }
    if (!IsOwnWindow(window)) {
        const AlphaChange change = SetForeignAlpha(window, level);
        return refusal == Refusal::Tell ? Told(window, change) : change;
    }
    // The style is written every time, even on a window that is layered
    // already, so a window that lost the style behind our back gets it back.
    ::SetWindowLongW(window, GWL_EXSTYLE, ExStyle(window) | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(window, 0, LevelToByte(level), LWA_ALPHA);
    return AlphaChange::Done;
}

AlphaChange ClearWindowAlpha(HWND window) noexcept
{
    if (window == nullptr || !::IsWindow(window)) {
        return AlphaChange::Done;
    }
    if (!IsOwnWindow(window)) {
        return Told(window, ClearForeignAlpha(window));
    }
    ::SetWindowLongW(window, GWL_EXSTYLE, ExStyle(window) & ~static_cast<LONG>(WS_EX_LAYERED | WS_EX_TRANSPARENT));
    return AlphaChange::Done;
}

std::wstring ClassNameOf(HWND window)
{
    wchar_t name[64]{};
    ::GetClassNameW(window, name, 64);
    return name;
}

int WindowLevel(HWND window) noexcept
{
    BYTE alpha = 255;
    COLORREF key = 0;
    DWORD flags = 0;
    if ((ExStyle(window) & WS_EX_LAYERED) != 0 && ::GetLayeredWindowAttributes(window, &key, &alpha, &flags) &&
        (flags & LWA_ALPHA) != 0) {
        return alpha;
    }
    return kHighestLevel;
}

bool IsClickThrough(HWND window) noexcept
{
    return (ExStyle(window) & WS_EX_TRANSPARENT) != 0;
}

AlphaChange SetClickThrough(HWND window, bool on) noexcept
{
    if (window == nullptr || !::IsWindow(window)) {
        return AlphaChange::Done;
    }
    const LONG style = on ? ExStyle(window) | WS_EX_TRANSPARENT : ExStyle(window) & ~static_cast<LONG>(WS_EX_TRANSPARENT);
    if (IsOwnWindow(window)) {
        ::SetWindowLongW(window, GWL_EXSTYLE, style);
        return AlphaChange::Done;
    }
    if (!Answers(window)) {
        return Told(window, AlphaChange::NotResponding);
    }
    AlphaChange why = AlphaChange::Done;
    std::optional<WindowNote> note = TakeNote(window, why);
    if (!note) {
        return Told(window, why);
    }
    if (const std::optional<AlphaChange> refused = WriteExStyle(window, style)) {
        return Told(window, *refused);
    }
    note->clickThroughGiven = on && !note->clickThrough;
    KeepNote(window, *note);
    return AlphaChange::Done;
}

void EndEveryClickThrough() noexcept
{
    std::vector<HWND> changed;
    ::EnumWindows(&CollectChanged, reinterpret_cast<LPARAM>(&changed));
    for (HWND window : changed) {
        std::optional<WindowNote> note = ReadNote(window);
        if (!note || !note->clickThroughGiven || !Answers(window)) {
            continue;
        }
        if (IsClickThrough(window) &&
            WriteExStyle(window, ExStyle(window) & ~static_cast<LONG>(WS_EX_TRANSPARENT))) {
            continue;  // refused: the note stays for the next try
        }
        note->clickThroughGiven = false;
        KeepNote(window, *note);
    }
}

void ClearEveryChangedWindow() noexcept
{
    std::vector<HWND> changed;
    ::EnumWindows(&CollectChanged, reinterpret_cast<LPARAM>(&changed));
    for (HWND window : changed) {
        ClearWindowAlpha(window);
    }
}

AlphaChange SetWindowAlphaFromSlider(HWND window, int position, int max) noexcept
{
    const AlphaChange change = SetWindowAlpha(window, LevelFromPosition(position, max));
    if (change == AlphaChange::Done && position == max) {
        return ClearWindowAlpha(window);
    }
    return change;
}

void CloseFading(HWND window) noexcept
{
    HWND fading = window;
    ClearWindowAlpha(fading);
    DesvancerVentana(fading);
    ::DestroyWindow(window);
}

void TellRefusalsTo(RefusalTeller teller) noexcept
{
    g_teller = teller;
}

}  // namespace veloria
