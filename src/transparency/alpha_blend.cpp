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

// The note of what the window's program had set, taken now if there is
// none yet; nothing, with the reason, where the window cannot be changed.
std::optional<WindowNote> TakeNote(HWND window, AlphaChange& why)
{
    if (auto note = ReadNote(window)) {
        return note;
    }
    const LONG style = ExStyle(window);
    WindowNote note;
    note.layered = (style & WS_EX_LAYERED) != 0;
    note.clickThrough = (style & WS_EX_TRANSPARENT) != 0;
    if (note.layered) {
        COLORREF key = 0;
        BYTE alpha = 255;
        DWORD flags = 0;
        if (!::GetLayeredWindowAttributes(window, &key, &alpha, &flags)) {
            why = AlphaChange::SelfDrawn;  // it updates itself with per-pixel alpha
            return std::nullopt;
        }
        note.key = key;
        note.alpha = alpha;
        note.flags = flags & (LWA_COLORKEY | LWA_ALPHA);
    }
    const auto [state, key] = EncodeNote(note);
    ::SetLastError(ERROR_SUCCESS);
    if (!::SetPropW(window, NoteState(), reinterpret_cast<HANDLE>(state)) ||
        !::SetPropW(window, NoteKey(), reinterpret_cast<HANDLE>(key))) {
        why = ::GetLastError() == ERROR_ACCESS_DENIED ? AlphaChange::AccessDenied : AlphaChange::Refused;
        DropNote(window);
        return std::nullopt;
    }
    return note;
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
    const std::optional<WindowNote> note = TakeNote(window, why);
    if (!note) {
        return why;
    }
    const LONG before = ExStyle(window);
    if (const auto refused = WriteExStyle(window, before | WS_EX_LAYERED)) {
        if (!noted) {
            DropNote(window);
        }
        return *refused;
    }
    // Its program's colour key stays; the level is Veloria's.
    const DWORD flags = LWA_ALPHA | (note->flags & LWA_COLORKEY);
    ::SetLastError(ERROR_SUCCESS);
    if (!::SetLayeredWindowAttributes(window, note->key, LevelToByte(level), flags)) {
        const AlphaChange reason =
            ::GetLastError() == ERROR_ACCESS_DENIED ? AlphaChange::AccessDenied : AlphaChange::Refused;
        WriteExStyle(window, before);
        if (!noted) {
            DropNote(window);
        }
        return reason;
    }
    return AlphaChange::Done;
}

AlphaChange ClearForeignAlpha(HWND window)
{
    const std::optional<WindowNote> note = ReadNote(window);
    if (!note) {
        return AlphaChange::Done;  // Veloria never changed it: it is as its program left it
    }
    if (!Answers(window)) {
        return AlphaChange::NotResponding;
    }
    LONG style = ExStyle(window);
    style = note->clickThrough ? style | WS_EX_TRANSPARENT : style & ~static_cast<LONG>(WS_EX_TRANSPARENT);
    if (note->layered) {
        ::SetLastError(ERROR_SUCCESS);
        if (!::SetLayeredWindowAttributes(window, note->key, note->alpha, note->flags)) {
            return ::GetLastError() == ERROR_ACCESS_DENIED ? AlphaChange::AccessDenied : AlphaChange::Refused;
        }
    } else {
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
    if (!TakeNote(window, why)) {
        return Told(window, why);
    }
    const std::optional<AlphaChange> refused = WriteExStyle(window, style);
    return Told(window, refused.value_or(AlphaChange::Done));
}

void EndEveryClickThrough() noexcept
{
    std::vector<HWND> changed;
    ::EnumWindows(&CollectChanged, reinterpret_cast<LPARAM>(&changed));
    for (HWND window : changed) {
        const auto note = ReadNote(window);
        if (note && !note->clickThrough && IsClickThrough(window) && Answers(window)) {
            WriteExStyle(window, ExStyle(window) & ~static_cast<LONG>(WS_EX_TRANSPARENT));
        }
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
