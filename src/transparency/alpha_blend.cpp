#include "transparency/alpha_blend.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/alpha_rules.h"
#include "skin/window_effects.h"
#include "transparency/pick_rules.h"
#include "transparency/transparency_state.h"

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

// Above every window not on top, or back among them; never activated.
bool PutOnTop(HWND window, bool on)
{
    return ::SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                          SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != FALSE;
}

// The refusal a failed call of Windows' stands for.
AlphaChange FailureOf(DWORD error)
{
    return error == ERROR_ACCESS_DENIED ? AlphaChange::AccessDenied : AlphaChange::Refused;
}

// Writes the extended style; the reason Windows gives when it will not.
std::optional<AlphaChange> WriteExStyle(HWND window, LONG style)
{
    ::SetLastError(ERROR_SUCCESS);
    if (::SetWindowLongW(window, GWL_EXSTYLE, style) == 0 && ::GetLastError() != ERROR_SUCCESS) {
        return FailureOf(::GetLastError());
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
        const AlphaChange why = FailureOf(::GetLastError());
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

// The window's note as it stands before a change, from how it is layered
// `now` and the note it carries: that note while the window still shows
// what Veloria left it with, else one taken afresh from what its program
// has set now (and written, so that a change half made can still be
// undone). Nothing, with the reason, where the window cannot be changed or
// draws its own transparency.
std::optional<WindowNote> TakeNote(HWND window, const std::optional<WindowLayering>& now,
                                   const std::optional<WindowNote>& noted, AlphaChange& why)
{
    if (!now) {
        why = AlphaChange::SelfDrawn;
        return std::nullopt;
    }
    if (noted && NoteStillHolds(*noted, *now)) {
        return noted;
    }
    const WindowNote note = RenewedNote(noted.value_or(WindowNote{}), *now, IsClickThrough(window), IsOnTop(window));
    if (const auto refused = WriteNote(window, note)) {
        why = *refused;
        return std::nullopt;
    }
    return note;
}

// Tells the listener of a refusal, once for each window.
AlphaChange Told(HWND window, AlphaChange change) noexcept
{
    TransparencyState& state = TransparencyState::Current();
    auto& told = state.told;
    if (change == AlphaChange::Done || state.listener == nullptr) {
        return change;
    }
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    const std::pair<HWND, DWORD> who{window, process};
    if (std::find(told.begin(), told.end(), who) == told.end()) {
        told[state.nextTold] = who;
        state.nextTold = (state.nextTold + 1) % told.size();
        state.listener->Refused(window, change);
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

// One change to another program's window. Made, it asks the window's
// program and notes what its program has set (the note as it stands, or
// taken afresh); each step is written and read back; unless it is
// committed, what it changed goes back as it was, and a note it was first
// to take goes with it.
class ForeignChange {
public:
    enum class Noting { Afresh, AsItStands };

    explicit ForeignChange(HWND window, Noting noting = Noting::Afresh) : window_(window)
    {
        if (!Answers(window)) {
            failure_ = AlphaChange::NotResponding;
            return;
        }
        // What the window has now, read once, after its program answered.
        const std::optional<WindowNote> noted = ReadNote(window);
        hadNote_ = noted.has_value();
        styleBefore_ = ExStyle(window);
        onTopBefore_ = IsOnTop(window);
        layeringBefore_ = LayeringOf(window);
        AlphaChange why = AlphaChange::Done;
        note_ = noting == Noting::AsItStands ? noted : TakeNote(window, layeringBefore_, noted, why);
        if (!note_) {
            failure_ = why;
        }
    }
    ~ForeignChange()
    {
        if (!committed_) {
            RollBack();
        }
    }
    ForeignChange(const ForeignChange&) = delete;
    ForeignChange& operator=(const ForeignChange&) = delete;

    // Why the change cannot go on, if it cannot.
    const std::optional<AlphaChange>& failure() const { return failure_; }
    WindowNote& note() { return *note_; }

    // A window that draws its own transparency has nothing of Veloria's
    // level left; what else Veloria gave, as its note says, can still go.
    bool OnlyAsNoted()
    {
        if (failure_ != AlphaChange::SelfDrawn || !(note_ = ReadNote(window_))) {
            return false;
        }
        note_->given.reset();
        failure_.reset();
        return true;
    }

    bool SetStyle(LONG style)
    {
        if (failure_ || style == ExStyle(window_)) {
            return !failure_;
        }
        styleChanged_ = true;
        failure_ = WriteExStyle(window_, style);
        return !failure_;
    }

    bool SetAttributes(COLORREF key, BYTE alpha, DWORD flags)
    {
        if (failure_) {
            return false;
        }
        ::SetLastError(ERROR_SUCCESS);
        if (!::SetLayeredWindowAttributes(window_, key, alpha, flags)) {
            failure_ = FailureOf(::GetLastError());
            return false;
        }
        attributesChanged_ = true;
        return true;
    }

    bool SetOnTop(bool on)
    {
        if (failure_ || IsOnTop(window_) == on) {
            return !failure_;
        }
        onTopChanged_ = true;
        ::SetLastError(ERROR_SUCCESS);
        if (!PutOnTop(window_, on)) {
            failure_ = FailureOf(::GetLastError());
        } else if (IsOnTop(window_) != on) {
            failure_ = AlphaChange::Refused;
        }
        return !failure_;
    }

    // Keeps the change, and the note while something Veloria gave is on
    // the window; the note goes once the window is all its program's again.
    AlphaChange Commit()
    {
        if (failure_) {
            return *failure_;
        }
        committed_ = true;
        if (note_->given || note_->clickThroughGiven || note_->onTopGiven) {
            WriteNote(window_, *note_);
        } else {
            DropNote(window_);
        }
        return AlphaChange::Done;
    }

private:
    void RollBack()
    {
        if (attributesChanged_ && layeringBefore_ && layeringBefore_->layered) {
            ::SetLayeredWindowAttributes(window_, layeringBefore_->key, layeringBefore_->alpha, layeringBefore_->flags);
        }
        if (styleChanged_) {
            WriteExStyle(window_, styleBefore_);
        }
        if (onTopChanged_) {
            PutOnTop(window_, onTopBefore_);
        }
        if (!hadNote_) {
            DropNote(window_);
        }
    }

    HWND window_;
    bool hadNote_ = true;  // until read: a roll-back drops no note
    LONG styleBefore_ = 0;
    bool onTopBefore_ = false;
    std::optional<WindowLayering> layeringBefore_;
    std::optional<WindowNote> note_;
    std::optional<AlphaChange> failure_;
    bool styleChanged_ = false;
    bool attributesChanged_ = false;
    bool onTopChanged_ = false;
    bool committed_ = false;
};

AlphaChange SetForeignAlpha(HWND window, int level)
{
    ForeignChange change(window);
    if (change.failure()) {
        return *change.failure();
    }
    // Its program's colour key stays; the level is Veloria's.
    const WindowNote& note = change.note();
    const BYTE alpha = LevelToByte(level);
    if (change.SetStyle(ExStyle(window) | WS_EX_LAYERED) &&
        change.SetAttributes(note.key, alpha, LWA_ALPHA | (note.flags & LWA_COLORKEY))) {
        change.note().given = alpha;
    }
    return change.Commit();
}

AlphaChange ClearForeignAlpha(HWND window)
{
    if (!ReadNote(window)) {
        return AlphaChange::Done;  // Veloria never changed it: it is as its program left it
    }
    ForeignChange change(window);
    change.OnlyAsNoted();
    if (change.failure()) {
        return *change.failure();
    }
    WindowNote& note = change.note();
    LONG style = ExStyle(window);
    style = note.clickThrough ? style | WS_EX_TRANSPARENT : style & ~static_cast<LONG>(WS_EX_TRANSPARENT);
    // Only a level Veloria gave is taken back: its program's own layering,
    // set before Veloria's level or after it, stays as its program made it.
    if (note.given && note.layered) {
        change.SetAttributes(note.key, note.alpha, note.flags);
    } else if (note.given) {
        style &= ~static_cast<LONG>(WS_EX_LAYERED);
    }
    if (change.SetStyle(style) && note.onTopGiven) {
        change.SetOnTop(false);
    }
    note.given.reset();
    note.clickThroughGiven = false;
    note.onTopGiven = false;
    return change.Commit();
}

// The windows a clearing of every change goes to: other programs' windows
// with Veloria's note, the taskbars aside (their menu entry has them).
BOOL CALLBACK CollectChanged(HWND window, LPARAM list) noexcept
{
    try {
        if (!IsOwnWindow(window) && ReadNote(window) && !IsRefusedClass(ClassNameOf(window))) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
    } catch (...) {
        return FALSE;  // out of memory: those found so far
    }
}

std::vector<HWND> ChangedWindows() noexcept
{
    std::vector<HWND> changed;
    ::EnumWindows(&CollectChanged, reinterpret_cast<LPARAM>(&changed));
    return changed;
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

void SetOwnWindowLevel(HWND window, int level) noexcept
{
    if (HighContrastOn()) {
        ClearWindowAlpha(window);
    } else {
        SetWindowAlpha(window, level);
    }
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
    ForeignChange change(window);
    if (change.SetStyle(style)) {
        change.note().clickThroughGiven = on && !change.note().clickThrough;
    }
    return Told(window, change.Commit());
}

bool IsOnTop(HWND window) noexcept
{
    return (ExStyle(window) & WS_EX_TOPMOST) != 0;
}

AlphaChange SetOnTop(HWND window, bool on) noexcept
{
    // The program's own windows keep the places they have by design.
    if (window == nullptr || !::IsWindow(window) || window == ::FindWindowW(nullptr, L"Program Manager") ||
        IsOwnWindow(window)) {
        return AlphaChange::Done;
    }
    // A window its own program keeps on top stays there: only the on-top
    // Veloria gave is ever taken back.
    ForeignChange change(window);
    if (!change.failure() && on != IsOnTop(window) && (on || change.note().onTopGiven) && change.SetOnTop(on)) {
        change.note().onTopGiven = on;
    }
    return Told(window, change.Commit());
}

void EndEveryClickThroughAndOnTop() noexcept
{
    for (HWND window : ChangedWindows()) {
        const std::optional<WindowNote> noted = ReadNote(window);
        if (!noted || !(noted->clickThroughGiven || noted->onTopGiven)) {
            continue;
        }
        // Refused, the note stays for the next try.
        ForeignChange change(window, ForeignChange::Noting::AsItStands);
        if (change.failure()) {
            continue;
        }
        WindowNote& note = change.note();
        if (note.clickThroughGiven && change.SetStyle(ExStyle(window) & ~static_cast<LONG>(WS_EX_TRANSPARENT))) {
            note.clickThroughGiven = false;
        }
        if (note.onTopGiven && change.SetOnTop(false)) {
            note.onTopGiven = false;
        }
        change.Commit();
    }
}

void ClearEveryChangedWindow() noexcept
{
    for (HWND window : ChangedWindows()) {
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

void TellRefusalsTo(RefusalListener* listener) noexcept
{
    TransparencyState::Current().listener = listener;
}

}  // namespace veloria
