#include "transparency/program_watch.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "base/alpha_rules.h"
#include "base/handle.h"
#include "base/text_rules.h"
#include "settings/program_levels.h"
#include "transparency/alpha_blend.h"
#include "transparency/pick_rules.h"
#include "transparency/transparency_state.h"

namespace veloria {

namespace {

// A window of a remembered program is looked at again while it may still
// be shown: on Windows its showing is heard of at once, but some systems
// tell only of its making. Ten looks a second, for ten seconds at most, and
// only while such a window waits.
constexpr UINT kPendingLookMs = 100;
constexpr DWORD kPendingLongestMs = 10000;

using Pending = ProgramWatch::Pending;

ProgramWatch& State()
{
    return TransparencyState::Current().programWatch;
}

std::wstring ImageNameOf(HANDLE process)
{
    std::wstring path(MAX_PATH, L'\0');
    for (int tries = 0; tries < 3; ++tries) {
        auto size = static_cast<DWORD>(path.size());
        if (::QueryFullProcessImageNameW(process, 0, path.data(), &size)) {
            path.resize(size);
            return path.substr(path.find_last_of(L"\\/") + 1);
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            return {};
        }
        path.assign(path.size() * 8, L'\0');
    }
    return {};
}

// A busy desktop's windows come from few processes: each is asked its
// program once while it stays among the last ones looked at. Each is held
// open, so that no other process can take its id while it is known here.
std::wstring ProgramOfProcess(DWORD id)
{
    ProgramWatch& watch = State();
    for (const ProgramWatch::KnownProcess& known : watch.known) {
        if (known.process && known.id == id) {
            return known.program;
        }
    }
    KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    std::wstring program = process ? ImageNameOf(process.get()) : std::wstring();
    if (!program.empty()) {
        ProgramWatch::KnownProcess& slot = watch.known[watch.nextKnown++ % watch.known.size()];
        slot.id = id;
        slot.process = std::move(process);
        slot.program = program;
    }
    return program;
}

// The process of a thread that made a window: a window is always its
// making thread's, so a window just made need not be asked whose it is.
// Each thread is held open, so that no other can take its id while it is
// known here.
DWORD ProcessOfThread(DWORD id)
{
    ProgramWatch& watch = State();
    for (const ProgramWatch::KnownThread& known : watch.threads) {
        if (known.thread && known.id == id) {
            return known.process;
        }
    }
    KernelHandle thread(::OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, id));
    const DWORD process = thread ? ::GetProcessIdOfThread(thread.get()) : 0;
    if (process != 0) {
        ProgramWatch::KnownThread& slot = watch.threads[watch.nextThread++ % watch.threads.size()];
        slot.id = id;
        slot.thread = std::move(thread);
        slot.process = process;
    }
    return process;
}

std::wstring ProgramOfWindowIn(HWND window, DWORD process)
{
    std::wstring program = ProgramOfProcess(process);
    // A Store app's window is a frame of the frame host's, with the app's
    // own window inside: the app names it.
    if (SameLetters(program, L"ApplicationFrameHost.exe") &&
        SameLetters(ClassNameOf(window), L"ApplicationFrameWindow")) {
        if (const HWND app = ::FindWindowExW(window, nullptr, L"Windows.UI.Core.CoreWindow", nullptr)) {
            DWORD appProcess = 0;
            return ::GetWindowThreadProcessId(app, &appProcess) != 0 ? ProgramOfProcess(appProcess) : std::wstring();
        }
    }
    return program;
}

// A window of a class the picks refuse, or of one that comes and goes at once.
bool ClassLeftAlone(HWND window)
{
    const std::wstring windowClass = ClassNameOf(window);
    return IsRefusedClass(windowClass) || IsFleetingClass(windowClass);
}

// A top-level window of another program that Veloria may change without
// a pick.
bool IsOthersTopLevel(HWND window)
{
    DWORD process = 0;
    if (::GetWindowThreadProcessId(window, &process) == 0 || process == ::GetCurrentProcessId()) {
        return false;
    }
    if ((::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0) {
        return false;
    }
    return !ClassLeftAlone(window);
}

// One that a remembered level goes to: a main window of its program.
bool MayTakeLevel(HWND window)
{
    return IsOthersTopLevel(window) &&
           IsMainWindow(static_cast<std::uint32_t>(::GetWindowLongW(window, GWL_STYLE)),
                        static_cast<std::uint32_t>(::GetWindowLongW(window, GWL_EXSTYLE)));
}

// The level the window's program is remembered at; nothing for a program
// not remembered or remembered as opaque.
std::optional<int> LevelOfProgram(const std::wstring& program)
{
    const std::optional<int> level = RememberedPrograms().LevelFor(program);
    return level ? LevelToApply(*level) : std::nullopt;
}

std::optional<int> LevelOfProgram(HWND window)
{
    return LevelOfProgram(ProgramOfWindow(window));
}

// Why a window is asked: it is new to Veloria, or it came to the front or
// left it.
enum Asked : ULONG_PTR { kNewWindow, kFrontChanged };

// Its extended style, when it is a shown main window (a window that has
// gone has no style).
std::optional<std::uint32_t> ShownMainWindowStyle(HWND window, std::uint32_t style)
{
    const auto exStyle = static_cast<std::uint32_t>(::GetWindowLongW(window, GWL_EXSTYLE));
    if ((style & WS_VISIBLE) == 0 || !IsMainWindow(style, exStyle)) {
        return std::nullopt;
    }
    return exStyle;
}

std::optional<std::uint32_t> ShownMainWindowStyle(HWND window)
{
    return ShownMainWindowStyle(window, static_cast<std::uint32_t>(::GetWindowLongW(window, GWL_STYLE)));
}

// A window is asked only once it passed every look of MayTakeLevel; while
// it was asked its style may have changed, its process and class cannot.
void CALLBACK OnAnswer(HWND window, UINT, ULONG_PTR asked, LRESULT) noexcept
{
    const std::optional<std::uint32_t> exStyle = ShownMainWindowStyle(window);
    if (!exStyle) {
        return;
    }
    const std::wstring program = ProgramOfWindow(window);
    const std::optional<int> level = LevelOfProgram(program);
    if (!level) {
        return;
    }
    // In front, a window see-through only in the background is opaque to
    // the eye (its level 255); its level comes back as it leaves the front.
    const bool inFront = RememberedPrograms().OnlyInBackground(program) && window == ::GetForegroundWindow();
    const int wanted = inFront ? kHighestLevel : *level;
    // Only from the other of the two: a level the user or its program has
    // given it since stays.
    const bool layered = (*exStyle & WS_EX_LAYERED) != 0;
    if (asked == kFrontChanged && (!layered || WindowLevel(window) != (inFront ? *level : kHighestLevel))) {
        return;
    }
    SetWindowAlpha(window, wanted, Refusal::KeepQuiet);
}

// Asks the window, without waiting; it gets its level when it answers.
void Ask(HWND window, Asked asked = kNewWindow)
{
    ::SendMessageCallbackW(window, WM_NULL, 0, 0, &OnAnswer, asked);
}

// A window that passed every other look of MayTakeLevel, once it shows.
void Offer(HWND window)
{
    if (ShownMainWindowStyle(window)) {
        Ask(window);
    }
}

void StopLooking()
{
    ProgramWatch& watch = State();
    if (watch.timer != 0) {
        ::KillTimer(nullptr, watch.timer);
        watch.timer = 0;
    }
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) noexcept
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The windows made since the last look are known by their making threads
// alone. One list of the thread's top-level windows lets go of those inside
// another window and of those already gone, without a question to any of
// them: a busy program makes and ends many in a blink. A thread's windows
// come together, and its list is made again only when another's came
// between.
std::vector<Pending> TopLevelOnes(const std::vector<Pending>& waiting)
{
    std::vector<Pending> kept;
    std::vector<HWND> topLevel;
    DWORD listed = 0;
    for (Pending entry : waiting) {
        if (entry.maker != 0) {
            if (entry.maker != listed) {
                topLevel.clear();
                ::EnumThreadWindows(entry.maker, &CollectWindow, reinterpret_cast<LPARAM>(&topLevel));
                listed = entry.maker;
            }
            if (std::ranges::find(topLevel, entry.window) == topLevel.end() || ClassLeftAlone(entry.window)) {
                continue;
            }
            entry.maker = 0;
        }
        kept.push_back(entry);
    }
    return kept;
}

void CALLBACK OnLook(HWND, UINT, UINT_PTR, DWORD) noexcept
{
    ProgramWatch& watch = State();
    const DWORD now = ::GetTickCount();
    std::vector<Pending> waiting = TopLevelOnes(std::exchange(watch.pending, {}));
    for (const Pending& entry : waiting) {
        // A top-level window has a style while it exists.
        const auto style = static_cast<std::uint32_t>(::GetWindowLongW(entry.window, GWL_STYLE));
        if ((style & WS_VISIBLE) != 0) {
            if (ShownMainWindowStyle(entry.window, style)) {
                Ask(entry.window);
            }
        } else if (style != 0 && now - entry.since < kPendingLongestMs) {
            watch.pending.push_back(entry);
        }
    }
    if (watch.pending.empty()) {
        StopLooking();
    }
}

void Drop(HWND window)
{
    std::erase_if(State().pending, [window](const Pending& entry) { return entry.window == window; });
}

// Not shown yet: whether it is a main window is seen when it shows. One
// just made by the thread `maker` is not yet known to be a top-level window.
void Await(HWND window, DWORD maker = 0)
{
    ProgramWatch& watch = State();
    Drop(window);
    watch.pending.push_back({window, ::GetTickCount(), maker});
    if (watch.timer == 0) {
        watch.timer = ::SetTimer(nullptr, 0, kPendingLookMs, &OnLook);
    }
}

// A window made (by the thread `maker`) or shown (`maker` 0) anywhere on
// the desktop. A busy desktop makes many, most of them of programs not
// remembered or inside other windows: those are let go after as few
// questions as can tell, and one just made is not asked at all before the
// next look.
void OnWindowSeen(HWND window, DWORD maker = 0)
{
    DWORD process = maker != 0 ? ProcessOfThread(maker) : 0;
    if (process == 0) {
        maker = 0;
        if (::GetWindowThreadProcessId(window, &process) == 0) {
            return;
        }
    }
    if (process == ::GetCurrentProcessId() || !LevelOfProgram(ProgramOfWindowIn(window, process))) {
        return;
    }
    if (maker != 0) {
        Await(window, maker);
        return;
    }
    const auto style = static_cast<std::uint32_t>(::GetWindowLongW(window, GWL_STYLE));
    if ((style & WS_CHILD) != 0) {
        return;
    }
    if (ClassLeftAlone(window)) {
        return;
    }
    if ((style & WS_VISIBLE) == 0) {  // a top-level window: shown as its style says
        Await(window);
    } else if (IsMainWindow(style, static_cast<std::uint32_t>(::GetWindowLongW(window, GWL_EXSTYLE)))) {
        Ask(window);
    }
}

// A window whose program is see-through only in the background, as it
// comes to the front or leaves it.
void OfferFrontChange(HWND window)
{
    if (window != nullptr && ::IsWindow(window) && ::IsWindowVisible(window) && MayTakeLevel(window) &&
        RememberedPrograms().OnlyInBackground(ProgramOfWindow(window))) {
        Ask(window, kFrontChanged);
    }
}

void OnNewFront(HWND window)
{
    const HWND before = std::exchange(State().front, window);
    if (before != window) {
        OfferFrontChange(before);
    }
    OfferFrontChange(window);
}

void CALLBACK OnWindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                            DWORD) noexcept
{
    if (window == nullptr || object != OBJID_WINDOW || child != CHILDID_SELF) {
        return;
    }
    switch (event) {
    case EVENT_SYSTEM_FOREGROUND:
        OnNewFront(window);
        break;
    case EVENT_OBJECT_SHOW:
        Drop(window);  // looked at now
        OnWindowSeen(window);
        break;
    case EVENT_OBJECT_CREATE:
        OnWindowSeen(window, thread);
        break;
    default:
        break;
    }
}

}  // namespace

std::wstring ProgramOfWindow(HWND window)
{
    DWORD process = 0;
    if (window == nullptr || ::GetWindowThreadProcessId(window, &process) == 0) {
        return {};
    }
    return ProgramOfWindowIn(window, process);
}

void WatchRememberedPrograms() noexcept
{
    ProgramWatch& watch = State();
    const bool wanted = RememberedPrograms().AnyToApply();
    if (wanted && watch.hook == nullptr) {
        // Two hooks, for a window's making and its showing: the events
        // between them (a window's end, as many as its making) stay with
        // Windows; a window waiting to be shown that ends is let go by the
        // next look at it.
        watch.hook = ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, &OnWindowEvent, 0, 0,
                                       WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
        watch.showHook = ::SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_SHOW, nullptr, &OnWindowEvent, 0, 0,
                                           WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    } else if (!wanted && watch.hook != nullptr) {
        StopWatchingPrograms();
    }
    // The program's own windows count as they come to the front: the one
    // that leaves it for them takes its level back.
    const bool front = RememberedPrograms().AnyOnlyInBackground();
    if (front && watch.frontHook == nullptr) {
        watch.front = ::GetForegroundWindow();
        watch.frontHook = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                            &OnWindowEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    } else if (!front && watch.frontHook != nullptr) {
        ::UnhookWinEvent(watch.frontHook);
        watch.frontHook = nullptr;
    }
}

void OfferLevelToOpenWindows(std::wstring_view program) noexcept
{
    const std::optional<int> remembered = RememberedPrograms().LevelFor(program);
    if (program.empty() ? !RememberedPrograms().AnyToApply() : !remembered) {
        return;  // no window to look at
    }
    std::vector<HWND> open;
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&open));
    if (program.empty()) {
        // One still hidden may be shown after this look, and where the
        // system tells only of a window's making, its showing is not heard.
        for (HWND window : open) {
            if (!IsOthersTopLevel(window) || !LevelOfProgram(window)) {
                continue;
            }
            if (::IsWindowVisible(window)) {
                Offer(window);
            } else {
                Await(window);
            }
        }
        return;
    }
    // One program: its level is known, and each window's program asked once.
    const bool opaque = !LevelToApply(*remembered);
    for (HWND window : open) {
        if (!IsOthersTopLevel(window) || !SameProgramName(ProgramOfWindow(window), program)) {
            continue;
        }
        if (opaque) {
            ClearWindowAlpha(window);  // remembered as opaque: every change of Veloria's goes
        } else if (ShownMainWindowStyle(window)) {
            Ask(window);
        }
    }
}

void StopWatchingPrograms() noexcept
{
    ProgramWatch& watch = State();
    for (HWINEVENTHOOK* hook : {&watch.hook, &watch.showHook, &watch.frontHook}) {
        if (*hook != nullptr) {
            ::UnhookWinEvent(*hook);
            *hook = nullptr;
        }
    }
    watch.pending.clear();
    StopLooking();
    for (ProgramWatch::KnownProcess& known : watch.known) {
        known = {};
    }
    for (ProgramWatch::KnownThread& known : watch.threads) {
        known = {};
    }
}

}  // namespace veloria
