// The windows of remembered programs get their program's level as they
// appear.
//
// While some remembered program has a level to give, an out-of-context
// window-event hook hears of windows being made and shown anywhere on the
// desktop; nothing runs in other processes, and nothing runs at all while
// no window comes. A top-level window of a remembered program is asked
// first, without waiting (its answer comes back as a message), and given the
// level when it answers: a hung program is never waited on. Only a
// program's main windows take the level (pick_rules.h): its drop-downs,
// menus, tooltips and tool windows, the windows the picks refuse and the
// program's own windows are left alone. A Store app is named by the app in
// its frame, not by the frame host.
//
// A program remembered as see-through only in the background has its
// windows opaque while they are the window in front. While one is
// remembered so, a second hook of the same kind hears Windows tell of each
// new window in front; the one that leaves the front and the one that comes
// to it are asked, as above, and each goes from its level to opaque or back,
// unless the user or its program has given it another level since.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace veloria {

// Hooks or unhooks by the remembered programs in use; called at start and
// after every change of them.
void WatchRememberedPrograms() noexcept;

// Every open window of `program` (of every remembered program when empty)
// is offered its level; a program remembered as opaque gets back what
// Veloria changed on it.
void OfferLevelToOpenWindows(std::wstring_view program = {}) noexcept;

// Unhooks for good, at the program's end.
void StopWatchingPrograms() noexcept;

// The file name of the program that made the window ("notepad.exe");
// empty when Windows does not say.
std::wstring ProgramOfWindow(HWND window);

}  // namespace veloria
