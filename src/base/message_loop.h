// The program's one message loop.
//
// Each open modeless window (every DialogBase registers itself while it is
// open) gets the keyboard handling of a dialog before a message is
// dispatched: Tab and Shift+Tab move through its controls, Enter presses
// the default button, Esc cancels, Alt with a letter takes the mnemonic.
// Ctrl+Tab, which a dialog does not know, is offered to the window as
// kSwitchPageMessage (wParam 1 for the next page, 0 with Shift for the one
// before); a window that turns a page answers TRUE.
#pragma once

#include <windows.h>

#include <vector>

#include "base/installed.h"

namespace veloria {

inline constexpr UINT kSwitchPageMessage = WM_APP + 0x101;

void AddModelessWindow(HWND window);
void RemoveModelessWindow(HWND window);

// Offers `message` to the modeless window it is meant for; true when that
// window took it as dialog keyboard input, which then must not be dispatched.
bool RouteMessage(MSG& message);

// The loop, held by the program's owner, and the modeless windows open.
class MessageLoop : public Installed<MessageLoop> {
public:
    MessageLoop() = default;

    // Runs until WM_QUIT; gives its exit code.
    int Run();

    std::vector<HWND> modeless;  // in the order they opened
};

}  // namespace veloria
